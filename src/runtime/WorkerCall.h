#pragma once

#include <functional>

class QThreadPool;

// Runs call on a thread of the pool and returns once it has ended, handling the GUI thread's events
// meanwhile, so that the window and the browser keep going while the call works or waits; what the
// call raises is raised here. The wait outlasts the program's end: what the call uses belongs to
// the caller, so it must not return before the call is over.
void runOnWorker(QThreadPool &pool, std::function<void()> call);
