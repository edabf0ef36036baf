#pragma once

#include "destinations/FileDestination.h"
#include "sheets/PdfBook.h"

// All the pages in one PDF file, in the order they came, with one bookmark each, titled by the
// page (its address when it has no title). The pages wait on disk beside the file until the run is
// over and are then written at once (see PdfBook); until then a page is only kept for the file.
// The file is replaced only once the new one is complete, so a run that is stopped, or whose file
// can't be written, leaves whatever was there before.
class JoinedPdfDestination : public FileDestination
{
public:
    // Raises a RuntimeError when the file could not be written: its folder takes no new file, or
    // it is a folder itself.
    JoinedPdfDestination(PrinterSystem &printers, const QString &file);

    // Keeps the page for the file; raises a RuntimeError when it can't.
    Delivery deliver(const PageToDeliver &page) override;

    QString file() const { return m_file; }
    int pageCount() const { return m_book.documentCount(); }
    // Writes the pages kept; raises a RuntimeError with the system's reason when it can't, leaving
    // the file as it was.
    void write();

private:
    // The folder of the file, which takes it; raises a RuntimeError that says why not.
    static QString folderOf(const QString &file);

    QString m_file; // absolute
    PdfBook m_book;
};
