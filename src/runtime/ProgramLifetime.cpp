#include "runtime/ProgramLifetime.h"

#include <QCoreApplication>

namespace {
bool ending = false;
}

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

void resetProgramEndForTesting()
{
    ending = false;
}
