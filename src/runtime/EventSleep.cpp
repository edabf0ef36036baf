#include "runtime/EventSleep.h"

#include "runtime/ProgramLifetime.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
// A timer interval is an int of milliseconds; longer waits re-arm it as often as needed.
constexpr qint64 kLongestTimerInterval = 24LL * 3600 * 1000;
// Beyond about 292 years a nanosecond count no longer fits; such a wait simply never ends.
constexpr double kLongestFiniteWait = 9.0e9;
} // namespace

void letEventsRun()
{
    QCoreApplication::processEvents();
}

void letEventsRunOrSleep()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

EventSleep::EventSleep(QDeadlineTimer deadline, WhileEnding whileEnding)
    : m_deadline(deadline), m_whileEnding(whileEnding)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
}

bool EventSleep::over() const
{
    return expired() || (m_whileEnding == WhileEnding::StopWaiting && programEnding());
}

void EventSleep::handleEventsOrSleep()
{
    if (m_whileEnding == WhileEnding::StopWaiting && programEnding())
        return;
    if (!m_wake.isActive() && !m_deadline.isForever()) {
        const qint64 remaining = std::clamp<qint64>(m_deadline.remainingTime(), 0, kLongestTimerInterval);
        m_wake.start(std::chrono::milliseconds(remaining));
    }
    letEventsRunOrSleep();
}

bool sleepUntil(const std::function<bool()> &done, QDeadlineTimer deadline, WhileEnding whileEnding)
{
    EventSleep sleep(deadline, whileEnding);
    for (;;) {
        if (done())
            return true;
        if (sleep.over())
            return false;
        sleep.handleEventsOrSleep();
    }
}

QDeadlineTimer deadlineAfterSeconds(double seconds)
{
    if (!(seconds < kLongestFiniteWait))
        return QDeadlineTimer(QDeadlineTimer::Forever);
    const auto nanoseconds = static_cast<qint64>(std::ceil(std::max(seconds, 0.0) * 1e9));
    return QDeadlineTimer(std::chrono::nanoseconds(nanoseconds), Qt::PreciseTimer);
}
