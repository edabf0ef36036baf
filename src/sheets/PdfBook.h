#pragma once

#include "sheets/PageSpool.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

// Documents joined into one, in the order they were added, with one bookmark each that opens the
// document's first sheet. The documents wait on disk (see PageSpool), and the book is written out
// a document at a time (see StreamedPdf), so that memory stays the same however many there are.
// Raises a printer RuntimeError on a document that cannot be read or written.
class PdfBook
{
public:
    // The documents wait in the folder given, which should be the one that takes the book.
    explicit PdfBook(const QString &spoolFolder) : m_spool(spoolFolder) {}

    // Reads the document at once, so that one that can't be read is refused now, alone; raises
    // the system's reason when the disk takes no more.
    void add(const QByteArray &pdf, const QString &bookmark);
    int documentCount() const { return m_spool.count(); }
    // Writes the book, handing it to `write` a part at a time; lets what `write` raises through.
    void write(const std::function<void(const char *data, size_t size)> &write) const;

private:
    PageSpool m_spool;
    std::vector<QString> m_bookmarks;
};
