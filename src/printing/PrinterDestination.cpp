#include "printing/PrinterDestination.h"

#include "printers/PrinterSystem.h"

QString PrinterDestination::sheetPrinter() const
{
    return m_printer.isEmpty() ? m_printers.defaultPrinterName() : m_printer;
}

Delivery PrinterDestination::deliver(const RenderedPage &page)
{
    const QString printer = sheetPrinter();
    return {m_printers.submitPdfJob(printer, page.titleOrAddress(), page.pdf, page.jobOptions), printer, QString()};
}
