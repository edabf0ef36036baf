#pragma once

#include <QString>

class Dialogs;
class PrinterSystem;

// The user's default printer around the window's print runs to a printer. The jobs go to the
// chosen printer by name; the default is switched to it for the sake of whatever else looks at
// the default during the run, and put back when the run is over, or when the window closes in the
// middle of it.
class RunDefaultPrinter
{
public:
    RunDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs);

    // Reads the default as it stands for its own message alone, when it can't be read; from here
    // on the default counts as switched. The way back needs no name: the printer system keeps what
    // its first switch found.
    void prepareSwitch();
    // Makes the printer the default. Where the program would not switch it, since it could not keep
    // what putting the default back needs, the user is told why, once for as long as the window is
    // open.
    void switchTo(const QString &printer);
    // Puts the default back as the run ends.
    void putBack();
    // Puts it back in the middle of a run, as the window closes; nothing between runs.
    void putBackIfSwitched();

private:
    PrinterSystem &m_printers;
    Dialogs &m_dialogs;
    bool m_switched = false;
    bool m_toldNotSwitched = false;
};
