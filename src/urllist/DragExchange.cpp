#include "urllist/DragExchange.h"

#include "urllist/UrlListModel.h"

bool exchangeDraggedText(UrlListModel &list, int dragPosition, int hitPosition)
{
    const QString dragged = list.text(dragPosition);
    const QString hit = list.text(hitPosition);
    if (dragged == hit)
        return false;
    list.setText(dragPosition, hit);
    list.setText(hitPosition, dragged);
    return true;
}

int dragRowToReveal(int screenY, int hitPosition, int rowCount)
{
    if (screenY < kDragScrollUpBelowY)
        return hitPosition > 1 ? hitPosition - 1 : 0;
    if (screenY > kDragScrollDownAboveY)
        return hitPosition < rowCount ? hitPosition + 1 : 0;
    return 0;
}
