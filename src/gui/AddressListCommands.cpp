#include "gui/AddressListCommands.h"

#include "gui/ListFileAdding.h"
#include "gui/UrlListSelection.h"
#include "gui/WindowPointer.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "urllist/UrlListModel.h"

#include <QTreeView>

namespace {
constexpr const char *kSampleAddresses[] = {"https://www.google.com/", "https://www.bing.com/",
                                            "https://duckduckgo.com/"};

// A position one or two rows away from another; Overflow at the ends of the integer range.
int offsetPosition(int position, int offset)
{
    int result = 0;
    if (__builtin_add_overflow(position, offset, &result))
        throw RuntimeError(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    return result;
}
} // namespace

AddressListCommands::AddressListCommands(UrlListModel &list, QTreeView &view, Dialogs &dialogs,
                                         const WindowPointer &pointer, QObject *parent)
    : QObject(parent), m_list(list), m_view(view), m_dialogs(dialogs), m_pointer(pointer)
{}

void AddressListCommands::addAddress()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton1_Click"));
    QString answer;
    trap.line(114,
              [&] { answer = m_dialogs.input(QStringLiteral("Enter URL to add: "), applicationTitle(), QString()); });
    if (trap.test(116, [&] { return answer.isEmpty(); }))
        return;
    trap.line(118, [&] { m_list.append(answer); });
}

void AddressListCommands::loadListFile()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton6_Click"));
    Dialogs::OpenFileRequest request;
    QString fileName;
    trap.line(100, [&] { fileName.clear(); });
    trap.line(102, [&] { request.multipleSelection = false; });
    trap.line(104, [&] { request.title = QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"); });
    trap.line(106, [&] {
        request.filters =
            QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)"),
                        QStringLiteral("Sitemaps, feeds and bookmarks (*.xml *.gz *.rss *.atom *.html *.htm)")};
    });
    trap.line(108, [&] { fileName = m_dialogs.openFile(request); });
    if (trap.test(110, [&] { return fileName.isEmpty(); }))
        return;
    // The dialog lets the user choose one file only, so its answer is one name.
    trap.line(118, [&] { addListFile(m_list, fileName, m_dialogs); });
}

void AddressListCommands::addSampleAddresses()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton9_Click"));
    trap.line(100, [&] { m_list.append(QLatin1String(kSampleAddresses[0])); });
    trap.line(102, [&] { m_list.append(QLatin1String(kSampleAddresses[1])); });
    trap.line(104, [&] { m_list.append(QLatin1String(kSampleAddresses[2])); });
}

void AddressListCommands::clearList()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton7_Click"));
    trap.line(100, [&] {
        if (!m_pointer.busy())
            m_list.clear();
    });
}

void AddressListCommands::removeSelectedAddress()
{
    if (m_pointer.busy())
        return;
    if (m_list.count() <= 0)
        return;
    m_list.remove(UrlListSelection::of(m_view).selectedPosition());
}

QString AddressListCommands::selectedText() const
{
    return m_list.text(UrlListSelection::of(m_view).selectedPosition());
}

// Lines 100 to 104, alike in both moves: nothing to move during a print run or in an empty list;
// otherwise the selected row's position, 0 when it cannot be read.
std::optional<int> AddressListCommands::rowToMove(ErrorTrap &trap) const
{
    bool busy = false;
    trap.line(100, [&] { busy = m_pointer.busy(); });
    if (busy)
        return std::nullopt;
    if (!trap.test(102, [&] { return m_list.count() > 0; }))
        return std::nullopt;
    int i = 0;
    trap.line(104, [&] { i = UrlListSelection::of(m_view).selectedPosition(); });
    return i;
}

// Lines 112 to 116, alike in both moves: the moved row, now at position, is selected, scrolled
// into view and focused, so that the next click moves it further.
void AddressListCommands::showMovedRow(ErrorTrap &trap, const std::function<int()> &position)
{
    trap.line(112, [&] { UrlListSelection::of(m_view).selectPosition(position()); });
    trap.line(114, [&] { m_view.scrollTo(m_list.rowIndex(position())); });
    trap.line(116, [&] { m_view.setFocus(); });
}

// Both moves insert the moved text at its new place before they delete the old row.

void AddressListCommands::moveAddressUp()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton3_Click"));
    const std::optional<int> row = rowToMove(trap);
    if (!row)
        return;
    const int i = *row;
    if (trap.test(106, [&] { return i > 1; })) {
        trap.line(108, [&] { m_list.insert(offsetPosition(i, -1), selectedText()); });
        trap.line(110, [&] { m_list.remove(offsetPosition(i, 1)); });
        showMovedRow(trap, [&] { return offsetPosition(i, -1); });
        return;
    }
    trap.line(118, [&] { m_view.setFocus(); });
}

void AddressListCommands::moveAddressDown()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PushButton5_Click"));
    const std::optional<int> row = rowToMove(trap);
    if (!row)
        return;
    const int i = *row;
    if (trap.test(106, [&] { return i < m_list.count(); })) {
        trap.line(108, [&] { m_list.insert(offsetPosition(i, 2), selectedText()); });
        trap.line(110, [&] { m_list.remove(i); });
        showMovedRow(trap, [&] { return offsetPosition(i, 1); });
        return;
    }
    trap.line(118, [&] { m_view.setFocus(); });
}
