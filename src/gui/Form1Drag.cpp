#include "gui/Form1.h"

#include "gui/PointerPicture.h"
#include "gui/UrlListSelection.h"
#include "runtime/AppPaths.h"
#include "runtime/RuntimeError.h"
#include "urllist/DragExchange.h"
#include "urllist/UrlListModel.h"

#include <QCursor>
#include <QTreeView>

// A drag has no drop step: while a mouse button is held over the list, the dragged address trades
// places with each row the pointer reaches. DragItem follows the address; a DragItem whose row has
// been removed since is invalid and counts as no dragged row.

void Form1::ListView1_ItemClick()
{
    // The picture is read again at every click. Without it the default pointer stays and the drag
    // works all the same.
    try {
        ListView1->setCursor(loadPointerPicture(shippedFilePath(QStringLiteral("/drag.ico"))));
    } catch (const RuntimeError &) {
        ListView1->unsetCursor();
    }
    DragItem = UrlListSelection::of(*ListView1).selectedRow();
}

void Form1::ListView1_MouseDown()
{
    DragActive = true;
}

void Form1::ListView1_MouseMove(int x, int y)
{
    if (MousePointer() != kBusyPointer)
        setMousePointer(kDefaultPointer);
    if (!DragActive)
        return;
    HitItem = ListView1->indexAt(QPoint(x, y));
    if (HitItem.isValid() && DragItem.isValid()) {
        const int hitPosition = HitItem.row() + 1;
        if (exchangeDraggedText(*m_urlList, DragItem.row() + 1, hitPosition)) {
            UrlListSelection::of(*ListView1).selectPosition(hitPosition);
            DragItem = HitItem;
            const int reveal = dragRowToReveal(QCursor::pos().y(), hitPosition, m_urlList->count());
            if (reveal > 0)
                ListView1->scrollTo(m_urlList->rowIndex(reveal));
        }
    }
    HitItem = QPersistentModelIndex();
}

void Form1::ListView1_MouseUp()
{
    DragActive = false;
    ListView1->setCursor(Qt::ArrowCursor);
}
