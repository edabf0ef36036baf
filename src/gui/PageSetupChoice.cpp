#include "gui/PageSetupChoice.h"

#include "gui/PageSetupDialog.h"
#include "gui/PrinterChoice.h"
#include "gui/WindowPointer.h"
#include "run/StoredSettings.h"
#include "runtime/ErrorTrap.h"

PageSetupChoice::PageSetupChoice(QWidget &window, PrinterSystem &printers, Dialogs &dialogs,
                                 const PrinterChoice &printerChoice, const WindowPointer &pointer)
    : m_window(window), m_printers(printers), m_dialogs(dialogs), m_printerChoice(printerChoice), m_pointer(pointer)
{}

void PageSetupChoice::open()
{
    // A run reads the setup as it starts, and the dialog's own loop would hold the run until it
    // closed.
    if (m_pointer.busy())
        return;
    // Events run while the printer's papers are asked for: a second click meanwhile opens no second
    // dialog.
    if (m_window.findChild<PageSetupDialog *>())
        return;
    ErrorTrap trap(m_dialogs, QStringLiteral("Form1.PageSetupButton_Click"));
    trap.line(100, [&] {
        PageSetupDialog dialog(m_printers, m_printerChoice.paperPrinter(), &m_window);
        dialog.exec();
    });
}

PageSetup PageSetupChoice::forRun() const
{
    return savedPageSetup();
}
