#pragma once

#include <QObject>
#include <QPersistentModelIndex>

class AddressListCommands;
class QTreeView;
class UrlListModel;
class WindowPointer;

// What the mouse and the keys do on the window's list of addresses, beyond the view's own
// selection: a drag reorders the rows, and a double-click or the Delete key removes the selected
// row. Found by its object name, "AddressListGestures".
//
// A drag has no drop step: while a mouse button is held over the list, the dragged address trades
// places with each row the pointer reaches. m_draggedRow follows the address; a m_draggedRow whose
// row has been removed since is invalid and counts as no dragged row.
class AddressListGestures : public QObject
{
    Q_OBJECT

public:
    AddressListGestures(QTreeView &view, UrlListModel &list, WindowPointer &pointer, AddressListCommands &commands,
                        QObject *parent);

    // Whether a drag is reordering the list's rows.
    bool dragActive() const { return m_dragging; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pickUpAddress();
    void dragOver(QPoint position);
    void endDrag();

    QTreeView &m_view;
    UrlListModel &m_list;
    WindowPointer &m_pointer;
    AddressListCommands &m_commands;
    bool m_dragging = false;
    QPersistentModelIndex m_draggedRow;
    QPersistentModelIndex m_rowUnderPointer;
};
