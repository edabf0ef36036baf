#pragma once

// Settles what must be in place before the application object exists.
void prepareStartupEnvironment();
