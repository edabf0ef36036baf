#include "gui/RealServices.h"

#include "connectivity/DesktopKeyring.h"
#include "gui/QtDialogs.h"
#include "printers/CupsPrinterSystem.h"
#include "runtime/Clock.h"
#include "runtime/StartupSeams.h"

Services realServices()
{
    static QtDialogs dialogs;
    static CupsPrinterSystem printers;
    static TimeSeededDraw random;
    static DesktopUrlOpener opener;
    static DesktopKeyring keyring;
    return Services{&dialogs, &printers, &random, &opener, &realClock(), &keyring};
}
