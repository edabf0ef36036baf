#include "runtime/Dialogs.h"
#include "runtime/Services.h"
#include "runtime/StartupSeams.h"

#include "printers/CupsPrinterSystem.h"

Services Services::real()
{
    static QtDialogs dialogs;
    static CupsPrinterSystem printers;
    static TimeSeededDraw random;
    static DesktopUrlOpener opener;
    return Services{&dialogs, &printers, &random, &opener};
}
