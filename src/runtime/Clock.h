#pragma once

#include <chrono>
#include <optional>

// The time the print run's waits are measured on: its pauses and the bound on a page that never
// completes. The program runs on the monotonic clock (realClock()), which neither midnight nor a
// change of the system clock moves. A test puts a clock of its own in its place, whose time moves
// only when the test moves it, so that a run's pauses and bounds cost it no real time.
// The longest wait for one page to load and be readied for print, and for one list document to be
// fetched, where nothing else is said (the command line's --timeout).
constexpr std::chrono::seconds kDefaultTimeLimit{60};

class Clock
{
public:
    using Time = std::chrono::steady_clock::time_point;
    // A deadline that never passes.
    static constexpr Time kNever = Time::max();

    virtual ~Clock() = default;

    virtual Time now() const = 0;

    // How long, in real time, until this clock reaches the deadline by itself: the longest a wait
    // may sleep with no event to wake it. None when it never gets there by itself.
    virtual std::optional<std::chrono::nanoseconds> realTimeTo(Time deadline) const = 0;

    // Waits the given number of seconds on this clock while the window, the browser and every
    // other handler go on working. Zero, a negative number or a non-number returns at once,
    // without handling any event. Returns early when the program is ending.
    virtual void waitSeconds(double seconds);
};

// The monotonic clock the program runs on.
Clock &realClock();

// A deadline the given number of seconds from now on the clock; a value too large for any clock
// is a deadline that never passes.
Clock::Time deadlineAfterSeconds(const Clock &clock, double seconds);
