#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Whether bytes start as gzip data does; a list is recognised by its content, never by its name.
bool isGzip(QByteArrayView bytes);

// Unpacks gzip data (one member or several in a row), but never more than limit bytes: a few
// kilobytes of gzip can unpack to gigabytes. Raises a BadListError when the data is damaged or cut
// short, or would unpack to more than limit bytes.
QByteArray gunzip(QByteArrayView packed, qsizetype limit);
