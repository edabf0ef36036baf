#include "connectivity/OnlineCheck.h"

#include "connectivity/CommandOutput.h"
#include "runtime/ProgramLifetime.h"

namespace {
constexpr auto kEchoHost = "www.google.com";
// One echo request, waiting at most 2 s for its reply.
constexpr auto kPingCommand = "ping -c 1 -W 2 ";
// Starts every line on which ping reports a reply.
constexpr auto kReplyMarker = "bytes from";
} // namespace

bool looksOffline(std::chrono::milliseconds timeLimit)
{
    const QString output =
        CaptureCommandOutput(QLatin1String(kPingCommand) + QLatin1String(kEchoHost), true, false, true, timeLimit);
    if (programEnding())
        return false;
    // An empty output (ping printed nothing, or was cut off before it did) holds no reply either.
    return !output.contains(QLatin1String(kReplyMarker), Qt::CaseInsensitive);
}
