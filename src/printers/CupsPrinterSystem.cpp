#include "printers/CupsPrinterSystem.h"

#include "shell/RuntimeError.h"

#include <QPrinterInfo>

QStringList CupsPrinterSystem::printerNames()
{
    return QPrinterInfo::availablePrinterNames();
}

QString CupsPrinterSystem::defaultPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    if (name.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("There is no default printer."));
    return name;
}

void CupsPrinterSystem::setDefaultPrinter(const QString &)
{
    throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("Cannot set the default printer."));
}
