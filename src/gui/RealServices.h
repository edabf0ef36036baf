#pragma once

#include "runtime/Services.h"

// The real implementation behind every member of Services: the windows' dialogs, the CUPS
// printers, the time-seeded draw and the desktop's browser. Only the layer that shows windows
// knows them all, so the wiring lives here rather than beside the struct.
Services realServices();
