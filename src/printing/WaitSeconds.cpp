#include "printing/WaitSeconds.h"

#include "runtime/EventSleep.h"

#include <utility>

namespace {
std::function<void(double)> &observer()
{
    static std::function<void(double)> instance;
    return instance;
}
} // namespace

void setWaitSecondsObserver(std::function<void(double seconds)> newObserver)
{
    observer() = std::move(newObserver);
}

void WaitSeconds(double seconds)
{
    if (observer())
        observer()(seconds);
    if (!(seconds > 0))
        return;
    // A monotonic deadline: neither midnight nor a change of the system clock moves it.
    sleepUntil([] { return false; }, deadlineAfterSeconds(seconds));
}
