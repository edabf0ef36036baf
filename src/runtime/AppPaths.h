#pragma once

#include <QString>

// The folder that holds the executable, without a trailing separator. Shipped files are named by
// appending a relative name that starts with a separator, e.g. applicationFolder() + "/drag.ico".
QString applicationFolder();

// True when the path's last-modified time can be read; never reports anything.
bool FileExists(const QString &path);

// The text after the last backslash; the whole text when it has none.
QString FileNamePart(const QString &path);
