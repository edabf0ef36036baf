#include "app/ProgramIdentity.h"
#include "app/ProgramOptions.h"
#include "shell/Form1.h"
#include "shell/StartupEnvironment.h"
#include "shell/WindowProgram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    setProgramIdentity();
    const ProgramOptions options = readProgramOptions(argc, argv);
    if (options.exitStatus)
        return *options.exitStatus;
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    Form1 form;
    return runWindowProgram(form);
}
