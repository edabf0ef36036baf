#pragma once

// Settles what must be in place before the application object exists.
void prepareStartupEnvironment();

// Settles, before prepareStartupEnvironment, what a print run from the command line needs besides:
// no display, since from cron or a script there is none, and a standard error that carries the
// run's report and real errors, not the browser engine's news of its own start.
void prepareCommandLineEnvironment();

// Whether prepareStartupEnvironment turned the browser's sandbox off: the sandbox refuses to run as
// root.
bool sandboxTurnedOff();
