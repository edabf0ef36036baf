#include "support/ManualClock.h"

#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"

void ManualClock::waitSeconds(double seconds)
{
    waits << seconds;
    if (onWait)
        onWait(seconds);
    if (!(seconds > 0) || programEnding())
        return;
    letEventsRun();
    if (programEnding())
        return;
    // A wait without end leaves the time where it is: there is no moment to move it to.
    const Time end = deadlineAfterSeconds(*this, seconds);
    if (end != kNever)
        m_now = end;
}
