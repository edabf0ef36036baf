#include "gui/MainWindow.h"

#include "gui/UrlListSelection.h"
#include "runtime/ErrorTrap.h"
#include "urllist/UrlListModel.h"

#include <QTreeView>

#include <functional>
#include <optional>

namespace {
// A position one or two rows away from another; Overflow at the ends of the integer range.
int offsetPosition(int position, int offset)
{
    int result = 0;
    if (__builtin_add_overflow(position, offset, &result))
        throw RuntimeError(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    return result;
}

int selectedPosition(const QTreeView &listView)
{
    return UrlListSelection::of(listView).selectedPosition();
}

QString selectedText(const MainWindow &form, const QTreeView &listView)
{
    return form.urlList()->text(selectedPosition(listView));
}

// Lines 100 to 104, alike in both moves: nothing to move during a print run or in an empty list;
// otherwise the selected row's position, 0 when it cannot be read.
std::optional<int> rowToMove(const MainWindow &form, const QTreeView &listView, ErrorTrap &trap)
{
    bool busy = false;
    trap.line(100, [&] { busy = form.pointer() == MainWindow::Pointer::Busy; });
    if (busy)
        return std::nullopt;
    if (!trap.test(102, [&] { return form.urlList()->count() > 0; }))
        return std::nullopt;
    int i = 0;
    trap.line(104, [&] { i = selectedPosition(listView); });
    return i;
}

// Lines 112 to 116, alike in both moves: the moved row, now at position, is selected, scrolled
// into view and focused, so that the next click moves it further.
void showMovedRow(const MainWindow &form, QTreeView &listView, ErrorTrap &trap, const std::function<int()> &position)
{
    trap.line(112, [&] { UrlListSelection::of(listView).selectPosition(position()); });
    trap.line(114, [&] { listView.scrollTo(form.urlList()->rowIndex(position())); });
    trap.line(116, [&] { listView.setFocus(); });
}
} // namespace

// Both moves insert the moved text at its new place before they delete the old row.

void MainWindow::moveAddressUp()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton3_Click"));
    const std::optional<int> row = rowToMove(*this, *m_addressList, trap);
    if (!row)
        return;
    const int i = *row;
    if (trap.test(106, [&] { return i > 1; })) {
        trap.line(108, [&] { m_urlList->insert(offsetPosition(i, -1), selectedText(*this, *m_addressList)); });
        trap.line(110, [&] { m_urlList->remove(offsetPosition(i, 1)); });
        showMovedRow(*this, *m_addressList, trap, [&] { return offsetPosition(i, -1); });
        return;
    }
    trap.line(118, [&] { m_addressList->setFocus(); });
}

void MainWindow::moveAddressDown()
{
    ErrorTrap trap(*services().dialogs, QStringLiteral("Form1.PushButton5_Click"));
    const std::optional<int> row = rowToMove(*this, *m_addressList, trap);
    if (!row)
        return;
    const int i = *row;
    if (trap.test(106, [&] { return i < m_urlList->count(); })) {
        trap.line(108, [&] { m_urlList->insert(offsetPosition(i, 2), selectedText(*this, *m_addressList)); });
        trap.line(110, [&] { m_urlList->remove(i); });
        showMovedRow(*this, *m_addressList, trap, [&] { return offsetPosition(i, 1); });
        return;
    }
    trap.line(118, [&] { m_addressList->setFocus(); });
}
