#include "gui/OnlineWarning.h"

#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"

namespace {
constexpr auto kOfflineWarning = "You must be online to use this software accurately.";
} // namespace

void warnIfOffline(Dialogs &dialogs, std::chrono::milliseconds timeLimit)
{
    if (looksOffline(timeLimit))
        dialogs.message(QLatin1String(kOfflineWarning), applicationTitle(), Dialogs::Icon::None);
}
