#pragma once

#include "printing/FileDestination.h"
#include "printing/PdfBook.h"

// All the pages in one PDF file, in the order they came, with one bookmark each, titled by the
// page (its address when it has no title). The pages are kept until the run is over and then
// written at once; the file is replaced only once the new one is complete, so a run that is
// stopped leaves whatever was there before.
class JoinedPdfDestination : public FileDestination
{
public:
    // Raises a RuntimeError when the file could not be written: its folder takes no new file, or
    // it is a folder itself.
    JoinedPdfDestination(PrinterSystem &printers, const QString &file);

    // Gives the file the page will be in.
    Delivery deliver(const RenderedPage &page) override;

    int pageCount() const { return m_book.documentCount(); }
    // Writes the pages kept; raises a RuntimeError when it can't, leaving the file as it was.
    void write();

private:
    QString m_file; // absolute
    PdfBook m_book;
};
