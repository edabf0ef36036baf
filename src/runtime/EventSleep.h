#pragma once

#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

// Waiting without burning a core: the GUI thread sleeps in the event loop until the next event
// arrives or the deadline passes, and handles every event as it comes, so the window, the
// browser and any other handler keep running while a routine waits.
class EventSleep
{
public:
    explicit EventSleep(QDeadlineTimer deadline);

    // Handles the events that are pending; when there are none, sleeps until one arrives or the
    // deadline passes. Returns at once when the program is ending.
    void handleEventsOrSleep();

    bool expired() const { return m_deadline.hasExpired(); }

private:
    QDeadlineTimer m_deadline;
    // Fires at the deadline, so that a sleep with no other event to wake it still ends on time.
    QTimer m_wake;
};

// Handles events until done() holds, the deadline passes or the program is ending; true when
// done() held.
bool sleepUntil(const std::function<bool()> &done, QDeadlineTimer deadline);

// A deadline the given number of seconds from now on the monotonic clock; a value too large for
// any clock never expires.
QDeadlineTimer deadlineAfterSeconds(double seconds);
