#pragma once

#include <QString>

class Dialogs;
class PrinterSystem;

// The window's print run reads and switches the default printer through these two, which speak to
// the user in the window's own words. The command-line run sends its jobs to a printer by name
// and uses neither.

// The current default printer's name. When it cannot be read, says so in a message of its own
// (not the common error report) and gives the empty name.
QString GetDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs);

// Makes the named printer the default; true on success. A failure is silent unless showError asks
// for "Cannot set printer.". An empty or unknown name fails.
//
// A print run's switch passes toldNotSwitched: where the default is not switched because the
// program could not keep what it needs to put the default back, the user learns why the chosen
// printer takes only the run's own pages, once for as long as the flag stays set.
bool MakeDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs, const QString &name, bool showError,
                        bool *toldNotSwitched = nullptr);

// Puts back the default printer that a run switched. Silent: the run's report has nothing to add.
void RestoreDefaultPrinter(PrinterSystem &printers);

// Puts back a default printer that an earlier run could not (the program was killed, say). Where
// that fails, says which printer could not be put back and why.
void RecoverDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs);
