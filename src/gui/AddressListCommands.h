#pragma once

#include <QObject>

#include <functional>
#include <optional>

class Dialogs;
class ErrorTrap;
class QTreeView;
class UrlListModel;
class WindowPointer;

// The commands of the window's list of addresses: add an address, a list file or the samples,
// clear the list, move the selected row up or down, remove it. While a print run goes on (the
// pointer is busy) only adding changes the list. Their error reports name the window's handlers
// of the original design ("Form1.PushButton1_Click").
class AddressListCommands : public QObject
{
    Q_OBJECT

public:
    AddressListCommands(UrlListModel &list, QTreeView &view, Dialogs &dialogs, const WindowPointer &pointer,
                        QObject *parent);

    void addAddress();
    void loadListFile();
    void addSampleAddresses();
    void clearList();
    void moveAddressUp();
    void moveAddressDown();
    // Double-click and the Delete key remove the selected row, not the row under the pointer.
    void removeSelectedAddress();

private:
    std::optional<int> rowToMove(ErrorTrap &trap) const;
    void showMovedRow(ErrorTrap &trap, const std::function<int()> &position);
    QString selectedText() const;

    UrlListModel &m_list;
    QTreeView &m_view;
    Dialogs &m_dialogs;
    const WindowPointer &m_pointer;
};
