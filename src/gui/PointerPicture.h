#pragma once

#include <QCursor>
#include <QString>

// Loads a pointer picture (an .ico or .cur file) as a cursor; raises a RuntimeError when the
// file cannot be read as a picture.
QCursor loadPointerPicture(const QString &path);
