#pragma once

#include <QString>
#include <QStringList>

// The printers of the system, as the program sees them. One real implementation over CUPS;
// tests use it against a private print server or replace it.
class PrinterSystem
{
public:
    virtual ~PrinterSystem() = default;

    // Installed printers' names, in the order the print system lists them.
    virtual QStringList printerNames() = 0;
    // The current default printer's name; raises a RuntimeError when it cannot be read.
    virtual QString defaultPrinterName() = 0;
    // Makes the named printer the user's default; raises a RuntimeError when it cannot.
    virtual void setDefaultPrinter(const QString &name) = 0;
    // Puts back a default printer that an earlier run switched and could not put back (the program
    // was killed, say). Silent; nothing to do for a print system that never leaves one behind.
    virtual void recoverInterruptedSwitch() {}
};
