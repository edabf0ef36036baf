#include "connectivity/OnlineCheck.h"

#include "connectivity/CommandOutput.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramLifetime.h"

namespace {
constexpr auto kEchoHost = "www.google.com";
// One echo request, waiting at most 2 s for its reply.
constexpr auto kPingCommand = "ping -c 1 -W 2 ";
// Starts every line on which ping reports a reply.
constexpr auto kReplyMarker = "bytes from";
constexpr auto kOfflineWarning = "You must be online to use this software accurately.";
} // namespace

void CheckOnline(Dialogs &dialogs, std::chrono::milliseconds timeLimit)
{
    const QString output =
        CaptureCommandOutput(QLatin1String(kPingCommand) + QLatin1String(kEchoHost), true, false, true, timeLimit);
    if (programEnding())
        return;
    // An empty output (ping printed nothing, or was cut off before it did) holds no reply either.
    if (!output.contains(QLatin1String(kReplyMarker), Qt::CaseInsensitive))
        dialogs.message(QLatin1String(kOfflineWarning), applicationTitle(), Dialogs::Icon::None);
}
