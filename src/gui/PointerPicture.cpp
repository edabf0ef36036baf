#include "gui/PointerPicture.h"

#include "runtime/RuntimeError.h"

#include <QPixmap>

namespace {}

QCursor loadPointerPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(path))
        throw RuntimeError(ErrorNumber::InvalidPicture, QStringLiteral("Invalid picture"));
    return QCursor(picture);
}
