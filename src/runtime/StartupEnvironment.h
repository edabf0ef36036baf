#pragma once

// Settles what must be in place before the application object exists.
void prepareStartupEnvironment();

// Whether prepareStartupEnvironment turned the browser's sandbox off: the sandbox refuses to run as
// root.
bool sandboxTurnedOff();
