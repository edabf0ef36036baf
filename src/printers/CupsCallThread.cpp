#include "printers/CupsCallThread.h"

#include "printers/CupsConnection.h"
#include "runtime/EventSleep.h"

#include <QAbstractEventDispatcher>
#include <QThreadPool>

#include <atomic>

namespace {
// One thread, so calls keep their order. Its destructor at exit waits for a call still running;
// every call gives up within a fraction of a second once the program is ending.
QThreadPool &printServerThread()
{
    static QThreadPool pool;
    static const bool once = [] {
        pool.setMaxThreadCount(1);
        pool.setExpiryTimeout(-1);
        return true;
    }();
    Q_UNUSED(once);
    return pool;
}

thread_local bool onPrintServerThread = false;

struct Outcome
{
    std::atomic<bool> ended{false};
    std::exception_ptr error;
};
} // namespace

namespace CupsCallThread {

void run(std::function<void()> call)
{
    if (onPrintServerThread) {
        call();
        return;
    }
    const auto outcome = std::make_shared<Outcome>();
    QAbstractEventDispatcher *waiting = QAbstractEventDispatcher::instance();
    printServerThread().start([call = std::move(call), outcome, waiting] {
        onPrintServerThread = true;
        try {
            call();
        } catch (...) {
            outcome->error = std::current_exception();
        }
        outcome->ended = true;
        // Wakes the waiting thread, which may be asleep with no other event to come.
        if (waiting)
            waiting->wakeUp();
    });
    // Waits also while the program is ending, when the program's other waits no longer do: the
    // default printer is put back then. Every call is bounded by its own time limit, and gives up
    // at once on a server that makes it wait once the program is ending.
    sleepUntil([&] { return outcome->ended.load(); }, QDeadlineTimer(QDeadlineTimer::Forever),
               WhileEnding::KeepWaiting);
    if (outcome->error)
        std::rethrow_exception(outcome->error);
}

} // namespace CupsCallThread
