#include "app/CommandLinePrint.h"
#include "app/ProgramIdentity.h"
#include "app/ProgramOptions.h"
#include "app/SandboxNotice.h"
#include "app/StandardStreams.h"
#include "gui/Form1.h"
#include "gui/WindowProgram.h"
#include "runtime/StartupEnvironment.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    guardStandardStreams();
    setProgramIdentity();
    const ProgramOptions options = readProgramOptions(argc, argv);
    if (options.exitStatus)
        return *options.exitStatus;
    // A print run from the command line needs no display: from cron or a script there is none.
    if (options.print && !qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareStartupEnvironment();
    sayWhenSandboxIsOff();
    QApplication app(argc, argv);
    if (options.print)
        return runCommandLinePrint(*options.print);
    Form1 form;
    return runWindowProgram(form);
}
