#pragma once

#include "runtime/Services.h"

// The real implementation behind every member of Services: the windows' dialogs, the CUPS
// printers, the time-seeded draw, the desktop's browser and the monotonic clock. Only the layer
// that shows windows knows them all, so the wiring lives here rather than beside the struct.
Services realServices();
