#pragma once

#include "printing/PageDestination.h"

class PrinterSystem;

// Each page a job of its own on a print queue.
class PrinterDestination : public PageDestination
{
public:
    // With an empty name, the default printer at the moment of each page.
    PrinterDestination(PrinterSystem &printers, QString printer) : m_printers(printers), m_printer(std::move(printer))
    {}

    // Raises a printer RuntimeError when no printer is named and there is no default.
    QString sheetPrinter() const override;
    Delivery deliver(const RenderedPage &page) override;

private:
    PrinterSystem &m_printers;
    QString m_printer;
};
