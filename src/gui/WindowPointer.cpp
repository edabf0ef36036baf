#include "gui/WindowPointer.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>

WindowPointer::WindowPointer(QWidget &window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("WindowPointer"));
}

void WindowPointer::set(Shape shape)
{
    m_shape = shape;
    switch (shape) {
    case Shape::Busy:
        m_window.setCursor(Qt::WaitCursor);
        break;
    case Shape::Hand:
        if (m_hand)
            m_window.setCursor(*m_hand);
        else
            m_window.unsetCursor();
        break;
    case Shape::Arrow:
        m_window.unsetCursor();
        break;
    }
}

void WindowPointer::overButton()
{
    if (!busy())
        set(Shape::Hand);
}

void WindowPointer::overBackground()
{
    if (!busy())
        set(Shape::Arrow);
}

void WindowPointer::watchButton(QPushButton &button)
{
    button.installEventFilter(this);
}

void WindowPointer::watchBackground(QWidget &area)
{
    area.installEventFilter(this);
}

bool WindowPointer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    if (qobject_cast<QPushButton *>(watched)) {
        overButton();
        // A button ignores moves with no button held, which would pass them on to the window
        // background and undo the hand at once.
        return static_cast<const QMouseEvent &>(*event).buttons() == Qt::NoButton;
    }
    overBackground();
    return false;
}
