#pragma once

#include <chrono>

// How long start-up waits for the ping at most. The echo itself gives up after 2 s, but on an
// offline machine resolving the host's name can take far longer than that.
inline constexpr std::chrono::milliseconds kOnlineCheckTimeLimit = std::chrono::seconds(10);

// Pings a public host once and tells whether the computer looks offline: true when no reply came
// back within the time limit. A check cut short because the program is ending tells nothing and
// gives false. Nothing is kept of the result.
bool looksOffline(std::chrono::milliseconds timeLimit = kOnlineCheckTimeLimit);
