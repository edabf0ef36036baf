#pragma once

#include <chrono>

class Dialogs;

// How long start-up waits for the ping at most. The echo itself gives up after 2 s, but on an
// offline machine resolving the host's name can take far longer than that.
inline constexpr std::chrono::milliseconds kOnlineCheckTimeLimit = std::chrono::seconds(10);

// Pings a public host once and, when no reply comes back within the time limit, warns once that
// the program needs a connection to work well. Only warns: nothing is kept of the result.
void CheckOnline(Dialogs &dialogs, std::chrono::milliseconds timeLimit = kOnlineCheckTimeLimit);
