#include "gui/WindowProgram.h"

#include "gui/MainWindow.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/TerminationSignals.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

int runWindowProgram(MainWindow &form)
{
    int signalStatus = 0;
    const TerminationSignals terminationSignals([&](int signalNumber) {
        signalStatus = 128 + signalNumber;
        form.close();
    });
    form.show();
    // Closed before the event loop ran (during start-up's checks): nothing is left to run.
    const int status = programEnding() ? 0 : QApplication::exec();
    const int exitStatus = signalStatus != 0 ? signalStatus : status;
    if (quickExitRequired()) {
        std::fflush(nullptr);
        ::_exit(exitStatus);
    }
    return exitStatus;
}
