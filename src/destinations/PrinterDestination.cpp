#include "destinations/PrinterDestination.h"

#include "printers/PrinterSystem.h"

Delivery PrinterDestination::deliver(const PageToDeliver &page)
{
    return {m_printers.submitPdfJob(m_printer, page.page.titleOrAddress(), page.page.pdf, page.jobOptions), m_printer,
            QString()};
}
