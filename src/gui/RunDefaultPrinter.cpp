#include "gui/RunDefaultPrinter.h"

#include "gui/DefaultPrinter.h"

RunDefaultPrinter::RunDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs)
    : m_printers(printers), m_dialogs(dialogs)
{}

void RunDefaultPrinter::prepareSwitch()
{
    tellIfDefaultPrinterUnreadable(m_printers, m_dialogs);
    m_switched = true;
}

void RunDefaultPrinter::switchTo(const QString &printer)
{
    const DefaultPrinterSwitch result = makeDefaultPrinter(m_printers, printer);
    if (!result.recordNotKept)
        return;
    if (!m_toldNotSwitched)
        tellDefaultNotSwitched(m_dialogs, printer, *result.recordNotKept);
    m_toldNotSwitched = true;
}

void RunDefaultPrinter::putBack()
{
    m_switched = false;
    restoreSwitchedDefaultPrinter(m_printers);
}

void RunDefaultPrinter::putBackIfSwitched()
{
    if (m_switched)
        putBack();
}
