#include "gui/PointerPicture.h"

#include "runtime/RuntimeError.h"

#include <QPixmap>

namespace {
constexpr int kInvalidPicture = 481;
}

QCursor loadPointerPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(path))
        throw RuntimeError(kInvalidPicture, QStringLiteral("Invalid picture"));
    return QCursor(picture);
}
