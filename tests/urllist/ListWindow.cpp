#include "ListWindow.h"

#include "gui/UrlListSelection.h"
#include "urllist/UrlListModel.h"

#include <QTest>
#include <QTreeView>

ListWindow::ListWindow()
{
    m_form = std::make_unique<Form1>(quietServices(dialogs, m_draw, m_opener, &m_printers));
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        qWarning("the main window was not shown");
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the main window did not become active");
    dialogs.messages.clear();
}

ListWindow::~ListWindow() = default;

UrlListModel &ListWindow::list()
{
    return *m_form->urlList();
}

QStringList ListWindow::rows()
{
    return list().texts();
}

void ListWindow::setRows(const QStringList &texts)
{
    list().clear();
    for (const QString &text : texts)
        list().append(text);
}

int ListWindow::selectedPosition()
{
    const QModelIndex row = UrlListSelection::of(*m_form->ListView1).selectedRow();
    return row.isValid() ? row.row() + 1 : 0;
}

void ListWindow::select(int position)
{
    UrlListSelection::of(*m_form->ListView1).selectPosition(position);
}

bool ListWindow::listHasFocus()
{
    return m_form->ListView1->hasFocus();
}

bool ListWindow::rowVisible(int position)
{
    const QRect row = m_form->ListView1->visualRect(list().rowIndex(position));
    return row.top() >= 0 && row.bottom() < m_form->ListView1->viewport()->height();
}

QPoint ListWindow::rowPoint(int position)
{
    return m_form->ListView1->visualRect(list().rowIndex(position)).center();
}

void ListWindow::press(QPoint point, Qt::MouseButton button)
{
    QTest::mousePress(m_form->ListView1->viewport(), button, Qt::NoModifier, point);
}

void ListWindow::moveTo(QPoint point)
{
    QTest::mouseMove(m_form->ListView1->viewport(), point);
}

void ListWindow::release(QPoint point, Qt::MouseButton button)
{
    QTest::mouseRelease(m_form->ListView1->viewport(), button, Qt::NoModifier, point);
}

// As the window system delivers it: a click, then a second press that arrives as a double-click.
void ListWindow::doubleClick(QPoint point)
{
    QWidget *viewport = m_form->ListView1->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
}
