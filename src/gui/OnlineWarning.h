#pragma once

#include "connectivity/OnlineCheck.h"

#include <chrono>

class Dialogs;

// The start-up's online check: when the computer looks offline, warns once that the program needs
// a connection to work well. Only warns: start-up goes on either way.
void warnIfOffline(Dialogs &dialogs, std::chrono::milliseconds timeLimit = kOnlineCheckTimeLimit);
