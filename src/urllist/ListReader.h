#pragma once

#include <QString>

#include <functional>

class QFile;
class QIODevice;

// Opens the list file for reading. Only regular files are read: a folder, a pipe or a device would
// fail, block or never end. Raises a RuntimeError (75 path/file access, 70 permission) when the
// file cannot be read.
void openListFile(QFile &file);

// Reads a list's rows from a device that is open for reading and can seek (a file, or a buffer
// holding standard input). Lines end at CR, CR LF or LF; the break is not part of the row. A text
// that ends with CR or CR LF gives no row after its last line; one whose last break is a lone LF
// gives one more, empty row. Bytes become text as ListFileText decides. Each row is handed to
// row() as it is read; reading stops when row() says false. A failed read raises a RuntimeError.
void readListRows(QIODevice &device, const std::function<bool(const QString &row)> &row);

// A row that is empty or holds only blanks names no address: a print run prints nothing for it. A
// list file whose last line end is a lone LF gives such a row.
bool isBlankRow(const QString &row);
