#include "ListWindow.h"

#include "gui/UrlListSelection.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QPushButton>
#include <QTest>
#include <QTreeView>

ListWindow::ListWindow()
{
    m_form = std::make_unique<MainWindow>(quietServices(dialogs, m_draw, m_opener, &m_printers));
    m_form->show();
    if (!QTest::qWaitForWindowExposed(m_form.get()))
        qWarning("the main window was not shown");
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("the main window did not become active");
    dialogs.messages.clear();
}

ListWindow::~ListWindow() = default;

QTreeView *ListWindow::listView()
{
    return child<QTreeView>(*m_form, "ListView1");
}

QPushButton *ListWindow::button(const char *name)
{
    return child<QPushButton>(*m_form, name);
}

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
    const QModelIndex row = UrlListSelection::of(*listView()).selectedRow();
    return row.isValid() ? row.row() + 1 : 0;
}

void ListWindow::select(int position)
{
    UrlListSelection::of(*listView()).selectPosition(position);
}

bool ListWindow::listHasFocus()
{
    return listView()->hasFocus();
}

bool ListWindow::rowVisible(int position)
{
    const QRect row = listView()->visualRect(list().rowIndex(position));
    return row.top() >= 0 && row.bottom() < listView()->viewport()->height();
}

QPoint ListWindow::rowPoint(int position)
{
    return listView()->visualRect(list().rowIndex(position)).center();
}

void ListWindow::press(QPoint point, Qt::MouseButton button)
{
    QTest::mousePress(listView()->viewport(), button, Qt::NoModifier, point);
}

void ListWindow::moveTo(QPoint point)
{
    QTest::mouseMove(listView()->viewport(), point);
}

void ListWindow::release(QPoint point, Qt::MouseButton button)
{
    QTest::mouseRelease(listView()->viewport(), button, Qt::NoModifier, point);
}

// As the window system delivers it: a click, then a second press that arrives as a double-click.
void ListWindow::doubleClick(QPoint point)
{
    QWidget *viewport = listView()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, point);
}
