#include "gui/MainWindow.h"

#include "gui/UrlListSelection.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "urllist/UrlListModel.h"

#include <QTreeView>

namespace {
constexpr const char *kSampleAddresses[] = {"https://www.google.com/", "https://www.bing.com/",
                                            "https://duckduckgo.com/"};

// Double-click and the Delete key remove the selected row, not the row under the pointer.
void removeSelectedRow(const MainWindow &form, const QTreeView &listView)
{
    if (form.pointer() == MainWindow::Pointer::Busy)
        return;
    if (form.urlList()->count() <= 0)
        return;
    form.urlList()->remove(UrlListSelection::of(listView).selectedPosition());
}
} // namespace

void MainWindow::addAddress()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton1_Click"));
    QString answer;
    trap.line(114, [&] {
        answer = services().dialogs->input(QStringLiteral("Enter URL to add: "), applicationTitle(), QString());
    });
    if (trap.test(116, [&] { return answer.isEmpty(); }))
        return;
    trap.line(118, [&] { m_urlList->append(answer); });
}

void MainWindow::clearList()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton7_Click"));
    trap.line(100, [&] {
        if (pointer() != Pointer::Busy)
            m_urlList->clear();
    });
}

void MainWindow::addSampleAddresses()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton9_Click"));
    trap.line(100, [&] { m_urlList->append(QLatin1String(kSampleAddresses[0])); });
    trap.line(102, [&] { m_urlList->append(QLatin1String(kSampleAddresses[1])); });
    trap.line(104, [&] { m_urlList->append(QLatin1String(kSampleAddresses[2])); });
}

void MainWindow::removeSelectedAddress()
{
    removeSelectedRow(*this, *m_addressList);
}

void MainWindow::listKeyPressed(Qt::Key key)
{
    if (key != Qt::Key_Delete)
        return;
    removeSelectedRow(*this, *m_addressList);
}
