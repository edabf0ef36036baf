#pragma once

#include "destinations/FileDestination.h"

// Each page a PDF file of its own in a folder, named "007 Title.pdf" (see pdfFileName). A file
// that is there already is never replaced: the page takes the name with " (2)", " (3)"... And a
// name never stands for half a file: the page is written under a name of its own first and
// renamed once complete.
class PdfFolderDestination : public FileDestination
{
public:
    // Raises a RuntimeError when no file can be made in the folder.
    PdfFolderDestination(PrinterSystem &printers, const QString &folder);

    Delivery deliver(const PageToDeliver &page) override;

private:
    QString m_folder; // absolute
};
