#pragma once

#include "runtime/Clock.h"

#include <QList>

#include <functional>

// A clock whose time moves only when the test moves it, or when a wait that nothing but time can
// end (a pause) is asked of it: that one lets the events already pending run, as a real wait
// would at its start, and then moves the time on by the whole wait at once. Every such wait is
// recorded. The other waits on it sleep until an event comes, and end when the test has moved
// the time past their deadline.
class ManualClock : public Clock
{
public:
    Time now() const override { return m_now; }
    std::optional<std::chrono::nanoseconds> realTimeTo(Time) const override { return std::nullopt; }
    void waitSeconds(double seconds) override;

    void advance(std::chrono::nanoseconds by) { m_now += by; }
    // How far the time has moved since the clock was made.
    std::chrono::nanoseconds elapsed() const { return m_now - Time(); }

    // The seconds of every wait asked of it, in order, those that wait nothing included.
    QList<double> waits;
    // Hears of every wait as it is asked, before anything of it happens.
    std::function<void(double seconds)> onWait;

private:
    Time m_now;
};
