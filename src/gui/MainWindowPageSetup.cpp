#include "gui/MainWindow.h"

#include "gui/PageSetupDialog.h"
#include "runtime/ErrorTrap.h"

void MainWindow::openPageSetup()
{
    // A run reads the setup as it starts, and the dialog's own loop would hold the run until it
    // closed.
    if (pointer() == Pointer::Busy)
        return;
    // Events run while the printer's papers are asked for: a second click meanwhile opens no second
    // dialog.
    if (findChild<PageSetupDialog *>())
        return;
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.PageSetupButton_Click"));
    trap.line(100, [&] {
        PageSetupDialog dialog(*m_services.printers, paperPrinter(), this);
        dialog.exec();
    });
}
