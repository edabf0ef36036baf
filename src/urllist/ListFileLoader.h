#pragma once

#include <QString>

class UrlListModel;

// Appends the lines of the text file at path to list, one row per line, in file order, and gives
// true; gives false, and appends nothing, when there is no file at path. Lines end at CR, CR LF
// or LF; the break is not part of the row. A file that ends with CR or CR LF gives no row after
// its last line; one whose last break is a lone LF gives one more, empty row.
//
// The file is read line by line and rows are added one at a time, with one pass through the
// window's events before each, so the window stays usable and the list grows while a long file
// is read. A file that cannot be opened or read raises a RuntimeError; the rows added before it
// stay. Only one file is read at a time: starting a second load while one is reading raises a
// RuntimeError and the first goes on.
[[nodiscard]] bool appendListFile(UrlListModel &list, const QString &path);
