#include "runtime/ProgramLifetime.h"

#include <QCoreApplication>

#include <atomic>

namespace {
// Read by the print-server thread too, whose calls give up once the program is ending.
std::atomic<bool> ending{false};
bool quickExit = false;
} // namespace

bool programEnding()
{
    return ending;
}

void beginProgramEnd()
{
    ending = true;
    // Asks every running event loop, nested ones included, to return.
    QCoreApplication::exit(0);
}

void requireQuickExit()
{
    quickExit = true;
}

bool quickExitRequired()
{
    return quickExit;
}

void resetProgramEndForTesting()
{
    ending = false;
}
