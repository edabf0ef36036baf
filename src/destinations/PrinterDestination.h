#pragma once

#include "destinations/PageDestination.h"

class PrinterSystem;

// Each page a job of its own on a print queue.
class PrinterDestination : public PageDestination
{
public:
    // The printer by name, never whatever the default is at the moment of a page.
    PrinterDestination(PrinterSystem &printers, QString printer) : m_printers(printers), m_printer(std::move(printer))
    {}

    QString sheetPrinter() const override { return m_printer; }
    Delivery deliver(const PageToDeliver &page) override;

private:
    PrinterSystem &m_printers;
    QString m_printer;
};
