#pragma once

#include "destinations/PageTarget.h"

#include <QString>

struct CommandLinePrintOptions;
class PrinterSystem;

// Where a command-line run's pages go, as its options say.
struct CommandLineTarget
{
    PageTarget target;
    // With --pdf-dir: the folder, when it was not there and has been made, with its parents.
    QString madeFolder;
};

// The printer asked for (the default printer when none was), a folder or a file, checked before
// any page loads: raises a RuntimeError that says why the run can't start, such as a printer the
// server does not know, no default printer, or a folder that can't be made. A folder that is not
// there yet is made, as mkdir -p would.
CommandLineTarget commandLineTarget(const CommandLinePrintOptions &options, PrinterSystem &printers);

// Refuses, with a RuntimeError naming the papers there are, a paper the command line named that
// the printer the sheets are laid out on doesn't know (none: the fallback paper alone).
void checkPaperOfRun(const CommandLinePrintOptions &options, PrinterSystem &printers, const QString &sheetPrinter);
