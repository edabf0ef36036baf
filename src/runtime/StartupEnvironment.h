#pragma once

// Settles what must be in place before the application object exists.
void prepareStartupEnvironment();

// Settles, before prepareStartupEnvironment, what a print run from the command line needs besides:
// no display, whether one opens or not (from cron or a script there is none, over ssh one may be
// named that is gone, and on a desktop the run has nothing to show), and a standard error that
// carries the run's report and real errors, not the browser engine's news of its own start.
void prepareCommandLineEnvironment();

// Whether prepareStartupEnvironment turned the browser's sandbox off: the sandbox refuses to run as
// root.
bool sandboxTurnedOff();
