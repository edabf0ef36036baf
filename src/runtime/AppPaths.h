#pragma once

#include <QString>

// The folder that holds the executable, without a trailing separator. Shipped files are named by
// appending a relative name that starts with a separator, e.g. applicationFolder() + "/drag.ico".
QString applicationFolder();

// Where to read one of the optional shipped files, named as above ("/x/o.cjs"). Beside the
// executable when anything of that name is there, as in a build folder; otherwise the copy in the
// first data folder that has one under "quillbrae" (~/.local/share, then /usr/local/share and
// /usr/share, or what XDG_DATA_HOME and XDG_DATA_DIRS name), since an installed program's folder
// is /usr/bin. With neither, the name beside the executable, which its callers then find missing.
QString shippedFilePath(const QString &name);

// True when the path's last-modified time can be read; never reports anything.
bool fileExists(const QString &path);

// The text after the last backslash; the whole text when it has none.
QString afterLastBackslash(const QString &path);
