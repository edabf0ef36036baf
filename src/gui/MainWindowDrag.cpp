#include "gui/MainWindow.h"

#include "gui/PointerPicture.h"
#include "gui/UrlListSelection.h"
#include "runtime/AppPaths.h"
#include "runtime/RuntimeError.h"
#include "urllist/DragExchange.h"
#include "urllist/UrlListModel.h"

#include <QCursor>
#include <QTreeView>

// A drag has no drop step: while a mouse button is held over the list, the dragged address trades
// places with each row the pointer reaches. m_draggedRow follows the address; a m_draggedRow whose row has
// been removed since is invalid and counts as no dragged row.

void MainWindow::pickUpAddress()
{
    // The picture is read again at every click. Without it the default pointer stays and the drag
    // works all the same.
    try {
        m_addressList->setCursor(loadPointerPicture(shippedFilePath(QStringLiteral("/drag.ico"))));
    } catch (const RuntimeError &) {
        m_addressList->unsetCursor();
    }
    m_draggedRow = UrlListSelection::of(*m_addressList).selectedRow();
}

void MainWindow::beginDrag()
{
    m_dragging = true;
}

void MainWindow::dragOver(int x, int y)
{
    if (pointer() != Pointer::Busy)
        setPointer(Pointer::Arrow);
    if (!m_dragging)
        return;
    m_rowUnderPointer = m_addressList->indexAt(QPoint(x, y));
    if (m_rowUnderPointer.isValid() && m_draggedRow.isValid()) {
        const int hitPosition = m_rowUnderPointer.row() + 1;
        if (exchangeDraggedText(*m_urlList, m_draggedRow.row() + 1, hitPosition)) {
            UrlListSelection::of(*m_addressList).selectPosition(hitPosition);
            m_draggedRow = m_rowUnderPointer;
            const int reveal = dragRowToReveal(QCursor::pos().y(), hitPosition, m_urlList->count());
            if (reveal > 0)
                m_addressList->scrollTo(m_urlList->rowIndex(reveal));
        }
    }
    m_rowUnderPointer = QPersistentModelIndex();
}

void MainWindow::endDrag()
{
    m_dragging = false;
    m_addressList->setCursor(Qt::ArrowCursor);
}
