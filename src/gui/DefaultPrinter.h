#pragma once

#include "printers/RestoreRecordError.h"

#include <QString>

#include <optional>

class Dialogs;
class PrinterSystem;

// The window's print run reads and switches the default printer through these, which speak to
// the user in the window's own words. The command-line run sends its jobs to a printer by name
// and uses none of them.

// Reads the current default printer for the sake of its message alone: when it cannot be read,
// says so in a message of its own (not the common error report).
void tellIfDefaultPrinterUnreadable(PrinterSystem &printers, Dialogs &dialogs);

// What a switch of the default printer came to.
struct DefaultPrinterSwitch
{
    bool switched = false;
    // Why the default stays as it is when the program would not switch it: it could not keep what
    // putting the default back needs. None for any other failure, which says nothing.
    std::optional<RestoreRecordError> recordNotKept;
};

// Makes the named printer the default. An empty or unknown name fails.
DefaultPrinterSwitch makeDefaultPrinter(PrinterSystem &printers, const QString &name);

// Tells the user why the default printer was not switched for a run whose jobs still go to the
// chosen printer.
void tellDefaultNotSwitched(Dialogs &dialogs, const QString &printer, const RestoreRecordError &why);

// Puts back the default printer that a run switched. Silent: the run's report has nothing to add.
void restoreSwitchedDefaultPrinter(PrinterSystem &printers);

// Puts back a default printer that an earlier run could not (the program was killed, say). Where
// that fails, says which printer could not be put back and why.
void recoverDefaultPrinterOfEarlierRun(PrinterSystem &printers, Dialogs &dialogs);
