#include "shell/Dialogs.h"
#include "shell/Services.h"
#include "shell/StartupSeams.h"

#include "printers/CupsPrinterSystem.h"

Services Services::real()
{
    static QtDialogs dialogs;
    static CupsPrinterSystem printers;
    static TimeSeededDraw random;
    static DesktopUrlOpener opener;
    return Services{&dialogs, &printers, &random, &opener};
}
