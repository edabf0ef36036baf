#include "gui/AddressListGestures.h"

#include "gui/AddressListCommands.h"
#include "gui/PointerPicture.h"
#include "gui/UrlListSelection.h"
#include "gui/WindowPointer.h"
#include "runtime/AppPaths.h"
#include "runtime/RuntimeError.h"
#include "urllist/DragExchange.h"
#include "urllist/UrlListModel.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeView>

AddressListGestures::AddressListGestures(QTreeView &view, UrlListModel &list, WindowPointer &pointer,
                                         AddressListCommands &commands, QObject *parent)
    : QObject(parent), m_view(view), m_list(list), m_pointer(pointer), m_commands(commands)
{
    setObjectName(QStringLiteral("AddressListGestures"));
    m_view.installEventFilter(this);
    m_view.viewport()->installEventFilter(this);
    connect(&m_view, &QAbstractItemView::pressed, this, &AddressListGestures::pickUpAddress);
}

bool AddressListGestures::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_view) {
        // The key still goes on to the list.
        if (event->type() == QEvent::KeyPress && static_cast<const QKeyEvent &>(*event).key() == Qt::Key_Delete)
            m_commands.removeSelectedAddress();
        return false;
    }
    if (watched != m_view.viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_dragging = true;
        break;
    case QEvent::MouseMove:
        dragOver(static_cast<const QMouseEvent &>(*event).position().toPoint());
        // A drag reorders the rows itself: the view's own drag selection and scrolling stay out.
        return m_dragging;
    case QEvent::MouseButtonRelease:
        endDrag();
        break;
    case QEvent::MouseButtonDblClick:
        m_commands.removeSelectedAddress();
        return true;
    default:
        break;
    }
    return false;
}

void AddressListGestures::pickUpAddress()
{
    // The picture is read again at every click. Without it the default pointer stays and the drag
    // works all the same.
    try {
        m_view.setCursor(loadPointerPicture(shippedFilePath(QStringLiteral("/drag.ico"))));
    } catch (const RuntimeError &) {
        m_view.unsetCursor();
    }
    m_draggedRow = UrlListSelection::of(m_view).selectedRow();
}

void AddressListGestures::dragOver(QPoint position)
{
    m_pointer.overBackground();
    if (!m_dragging)
        return;
    m_rowUnderPointer = m_view.indexAt(position);
    if (m_rowUnderPointer.isValid() && m_draggedRow.isValid()) {
        const int hitPosition = m_rowUnderPointer.row() + 1;
        if (exchangeDraggedText(m_list, m_draggedRow.row() + 1, hitPosition)) {
            UrlListSelection::of(m_view).selectPosition(hitPosition);
            m_draggedRow = m_rowUnderPointer;
            const int reveal = dragRowToReveal(QCursor::pos().y(), hitPosition, m_list.count());
            if (reveal > 0)
                m_view.scrollTo(m_list.rowIndex(reveal));
        }
    }
    m_rowUnderPointer = QPersistentModelIndex();
}

void AddressListGestures::endDrag()
{
    m_dragging = false;
    m_view.setCursor(Qt::ArrowCursor);
}
