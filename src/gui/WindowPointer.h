#pragma once

#include <QCursor>
#include <QObject>

#include <optional>

class QPushButton;
class QWidget;

// The main window's pointer, which is also its busy marker: the hourglass lasts as long as a print
// run, and the commands that remove or move rows do nothing meanwhile. Otherwise it follows the
// window's convention: a hand over a push button, an arrow over the background and the frames.
// Found by its object name, "WindowPointer".
class WindowPointer : public QObject
{
    Q_OBJECT

public:
    // The values are those of the original design's pointer numbers.
    enum class Shape { Arrow = 0, Busy = 11, Hand = 99 };

    explicit WindowPointer(QWidget &window);

    Shape shape() const { return m_shape; }
    bool busy() const { return m_shape == Shape::Busy; }
    void set(Shape shape);

    // The hand is the picture start-up loaded; without one, the hand is the default pointer.
    void setHand(const QCursor &hand) { m_hand = hand; }
    const std::optional<QCursor> &hand() const { return m_hand; }

    // The convention, which the hourglass outlasts.
    void overButton();
    void overBackground();
    // Follows the pointer over the button, or over the window or a frame of it.
    void watchButton(QPushButton &button);
    void watchBackground(QWidget &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    Shape m_shape = Shape::Arrow;
    std::optional<QCursor> m_hand;
};
