#pragma once

#include "destinations/PageDestination.h"

class PrinterSystem;

// What the destinations that save pages as PDF files share. They need no printer; the sheets are
// laid out on the default printer's paper as a print would be, or the fallback paper without one.
class FileDestination : public PageDestination
{
public:
    explicit FileDestination(PrinterSystem &printers) : m_printers(printers) {}

    QString sheetPrinter() const override;

protected:
    // Raises a RuntimeError that says why no file can be made in the folder: there is none, it is
    // no folder, or it takes no new file. Tried with a file of its own, which goes at once: the
    // permission bits don't tell, for root or on a file system mounted read-only.
    static void checkFolderTakesFiles(const QString &folder);

private:
    PrinterSystem &m_printers;
};
