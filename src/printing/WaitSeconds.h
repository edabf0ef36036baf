#pragma once

#include <functional>

// Waits the given number of seconds while the window, the browser and every other handler go on
// working. Zero, a negative number or a non-number returns at once, without handling any event.
// Returns early when the program is ending.
void WaitSeconds(double seconds);

// Tests watch where the waits of a print run fall: the observer hears of every call, with its
// argument, before the wait begins. An empty function removes it.
void setWaitSecondsObserver(std::function<void(double seconds)> observer);
