#pragma once

#include "printers/PrinterSystem.h"

// The printers of the CUPS server the environment points at (CUPS_SERVER, else the local one).
class CupsPrinterSystem : public PrinterSystem
{
public:
    QStringList printerNames() override;
    QString defaultPrinterName() override;
    void setDefaultPrinter(const QString &name) override;
};
