#include "runtime/Clock.h"

#include "runtime/EventSleep.h"

#include <algorithm>
#include <cmath>

namespace {
// Beyond about 292 years a nanosecond count no longer fits; such a wait simply never ends.
constexpr double kLongestFiniteWait = 9.0e9;

class MonotonicClock : public Clock
{
public:
    Time now() const override { return std::chrono::steady_clock::now(); }

    std::optional<std::chrono::nanoseconds> realTimeTo(Time deadline) const override
    {
        if (deadline == kNever)
            return std::nullopt;
        return std::max<std::chrono::nanoseconds>(deadline - now(), std::chrono::nanoseconds::zero());
    }
};
} // namespace

void Clock::waitSeconds(double seconds)
{
    if (!(seconds > 0))
        return;
    sleepUntil(
        *this, [] { return false; }, deadlineAfterSeconds(*this, seconds));
}

Clock &realClock()
{
    static MonotonicClock clock;
    return clock;
}

Clock::Time deadlineAfterSeconds(const Clock &clock, double seconds)
{
    if (!(seconds < kLongestFiniteWait))
        return Clock::kNever;
    const auto nanoseconds = static_cast<std::chrono::nanoseconds::rep>(std::ceil(std::max(seconds, 0.0) * 1e9));
    return clock.now() + std::chrono::nanoseconds(nanoseconds);
}
