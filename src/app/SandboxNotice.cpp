#include "app/SandboxNotice.h"

#include "runtime/StartupEnvironment.h"

#include <cstdio>

void sayWhenSandboxIsOff()
{
    // The browser engine would say "Sandboxing disabled by user.", which the user did not; what
    // they took on by running as root is worth one line.
    if (sandboxTurnedOff())
        std::fputs("Running as root: web pages load without the browser's sandbox, which does not run as root.\n",
                   stderr);
}
