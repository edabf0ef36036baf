#pragma once

#include <QString>

#include <functional>

class UrlListModel;

// Appends the list in the file at path to list and gives true; gives false, and appends nothing,
// when there is no file at path.
//
// A sitemap, feed or HTML file (a bookmarks export, or a page whose links are wanted) adds its
// pages, each once, in the order it lists them (see readListDocument), all at once; when they are
// more than kPagesWithoutAsking, only if addManyPages(their number) says yes. A list that can't be
// read whole raises a BadListError and adds nothing.
//
// A text file adds its lines, one row per line, in file order. Lines end at CR, CR LF
// or LF; the break is not part of the row. A file that ends with CR or CR LF gives no row after
// its last line; one whose last break is a lone LF gives one more, empty row.
//
// The file is read line by line and rows are added one at a time, with one pass through the
// window's events before each, so the window stays usable and the list grows while a long file
// is read. A file that cannot be opened or read raises a RuntimeError; the rows added before it
// stay. Only one file is read at a time: starting a second load while one is reading raises a
// RuntimeError and the first goes on.
[[nodiscard]] bool appendListFile(UrlListModel &list, const QString &path,
                                  const std::function<bool(int pages)> &addManyPages);
