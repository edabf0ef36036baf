#include "app/CommandLinePrint.h"
#include "app/DisplayCheck.h"
#include "app/ProgramIdentity.h"
#include "app/ProgramOptions.h"
#include "app/SandboxNotice.h"
#include "app/StandardStreams.h"
#include "browser/BrowserDrawing.h"
#include "browser/BrowserProfile.h"
#include "gui/MainWindow.h"
#include "gui/RealServices.h"
#include "gui/WindowProgram.h"
#include "printers/CupsPrinterSystem.h"
#include "runtime/Clock.h"
#include "runtime/StartupEnvironment.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    guardStandardStreams();
    setProgramIdentity();
    const ProgramOptions options = readProgramOptions(argc, argv);
    if (options.exitStatus)
        return *options.exitStatus;
    if (options.print)
        prepareCommandLineEnvironment();
    else if (!displayCanBeOpened())
        return sayWindowNeedsDisplay();
    prepareStartupEnvironment();
    sayWhenSandboxIsOff();
    QApplication app(argc, argv);
    if (options.print) {
        CupsPrinterSystem printers;
        return runCommandLinePrint(*options.print, {printers, realClock(), stdout, stderr});
    }
    chooseBrowserDrawing();
    // Made before the window, and so gone only after its pages.
    const BrowserProfile profile(BrowserProfile::Kind::Kept);
    MainWindow form(realServices(), &profile.profile());
    return runWindowProgram(form);
}
