#pragma once

#include "runtime/Services.h"

// The real implementation behind every member of Services: the windows' dialogs, the CUPS
// printers, the time-seeded draw, the desktop's browser, the monotonic clock and the desktop's
// keyring. Only the layer that shows windows knows them all, so the wiring lives here rather than
// beside the struct.
Services realServices();
