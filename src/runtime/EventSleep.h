#pragma once

#include "runtime/Clock.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <functional>

// The one way the program lets queued events run in the middle of a routine: every place where
// one handler can run inside another goes through these two.
// Handles the events that are pending, and returns.
void letEventsRun();
// Handles the events that are pending; when there are none, sleeps until one arrives.
void letEventsRunOrSleep();

// Whether a wait goes on once the program is ending. Nearly every wait stops then, so that the
// suspended handlers unwind; a few must not leave before what they wait for is over.
enum class WhileEnding { StopWaiting, KeepWaiting };

// Waiting without burning a core: the GUI thread sleeps in the event loop until the next event
// arrives or the deadline on the clock passes, and handles every event as it comes, so the window,
// the browser and any other handler keep running while a routine waits.
class EventSleep
{
public:
    EventSleep(const Clock &clock, Clock::Time deadline, WhileEnding whileEnding = WhileEnding::StopWaiting);

    // Handles the events that are pending; when there are none, sleeps until one arrives or the
    // deadline passes. Returns at once when the program is ending, unless told to keep waiting.
    void handleEventsOrSleep();

    bool expired() const { return m_clock.now() >= m_deadline; }
    // The deadline has passed, or the program is ending and the wait is not to outlast that.
    bool over() const;

private:
    // The program is ending and this wait is not to outlast that.
    bool leftForTheEnd() const;

    const Clock &m_clock;
    Clock::Time m_deadline;
    WhileEnding m_whileEnding;
    // Fires when the clock reaches the deadline, so that a sleep with no other event to wake it
    // still ends on time.
    QTimer m_wake;
};

// Handles events until done() holds or the sleep is over (see EventSleep::over); true when done()
// held. The deadline is a time on the clock given, or on the real clock for a QDeadlineTimer.
bool sleepUntil(const Clock &clock, const std::function<bool()> &done, Clock::Time deadline,
                WhileEnding whileEnding = WhileEnding::StopWaiting);
bool sleepUntil(const std::function<bool()> &done, QDeadlineTimer deadline,
                WhileEnding whileEnding = WhileEnding::StopWaiting);
