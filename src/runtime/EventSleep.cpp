#include "runtime/EventSleep.h"

#include "runtime/ProgramLifetime.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>

namespace {
// A timer interval is an int of milliseconds; longer waits re-arm it as often as needed.
constexpr std::chrono::milliseconds kLongestTimerInterval{24LL * 3600 * 1000};

Clock::Time onRealClock(QDeadlineTimer deadline)
{
    if (deadline.isForever())
        return Clock::kNever;
    return realClock().now() + std::chrono::nanoseconds(deadline.remainingTimeNSecs());
}
} // namespace

void letEventsRun()
{
    QCoreApplication::processEvents();
}

void letEventsRunOrSleep()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

EventSleep::EventSleep(const Clock &clock, Clock::Time deadline, WhileEnding whileEnding)
    : m_clock(clock), m_deadline(deadline), m_whileEnding(whileEnding)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

bool EventSleep::leftForTheEnd() const
{
    return m_whileEnding == WhileEnding::StopWaiting && programEnding();
}

bool EventSleep::over() const
{
    return expired() || leftForTheEnd();
}

void EventSleep::handleEventsOrSleep()
{
    if (leftForTheEnd())
        return;
    if (!m_wake.isActive())
        if (const auto remaining = m_clock.realTimeTo(m_deadline)) {
            // Rounded up: a wake a fraction of a millisecond early would find the deadline ahead.
            const auto interval = std::chrono::ceil<std::chrono::milliseconds>(*remaining);
            m_wake.start(std::clamp(interval, std::chrono::milliseconds::zero(), kLongestTimerInterval));
        }
    letEventsRunOrSleep();
}

bool sleepUntil(const Clock &clock, const std::function<bool()> &done, Clock::Time deadline, WhileEnding whileEnding)
{
    EventSleep sleep(clock, deadline, whileEnding);
    for (;;) {
        if (done())
            return true;
        if (sleep.over())
            return false;
        sleep.handleEventsOrSleep();
    }
}

bool sleepUntil(const std::function<bool()> &done, QDeadlineTimer deadline, WhileEnding whileEnding)
{
    return sleepUntil(realClock(), done, onRealClock(deadline), whileEnding);
}
