#pragma once

#include "run/PageSetup.h"

class Dialogs;
class PrinterChoice;
class PrinterSystem;
class QWidget;
class WindowPointer;

// The page setup the window's runs print with: chosen in the Page Setup dialog, which OK saves in
// the settings file, and read from there as each run starts.
class PageSetupChoice
{
public:
    PageSetupChoice(QWidget &window, PrinterSystem &printers, Dialogs &dialogs, const PrinterChoice &printerChoice,
                    const WindowPointer &pointer);

    // Opens the dialog, with the papers of the printer the pages are laid out on; nothing while a
    // run goes on or while the dialog is open already.
    void open();
    // The setup as the user chose it last.
    PageSetup forRun() const;

private:
    QWidget &m_window;
    PrinterSystem &m_printers;
    Dialogs &m_dialogs;
    const PrinterChoice &m_printerChoice;
    const WindowPointer &m_pointer;
};
