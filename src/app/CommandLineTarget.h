#pragma once

#include <QString>

#include <memory>

struct CommandLinePrintOptions;
class JoinedPdfDestination;
class PageDestination;
class PrinterSystem;

// Where a command-line run's pages go, as its options say.
struct CommandLineTarget
{
    std::shared_ptr<PageDestination> destination;
    QString printer; // the printer's name as the server gives it; empty when the pages go to files
    // With --pdf: the file, written once the run is over.
    std::shared_ptr<JoinedPdfDestination> joinedFile;
    // With --pdf-dir: the folder, when it was not there and has been made, with its parents.
    QString madeFolder;
};

// The printer asked for (the default printer when none was), a folder or a file, checked before
// any page loads: raises a RuntimeError that says why the run can't start, such as a printer the
// server does not know, no default printer, a paper the printer doesn't have, or a folder that
// can't be made or takes no file. A folder that is not there yet is made, as mkdir -p would.
CommandLineTarget commandLineTarget(const CommandLinePrintOptions &options, PrinterSystem &printers);
