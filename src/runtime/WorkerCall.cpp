#include "runtime/WorkerCall.h"

#include "runtime/EventSleep.h"

#include <QAbstractEventDispatcher>
#include <QThreadPool>

#include <atomic>
#include <exception>
#include <memory>

namespace {
struct Outcome
{
    std::atomic<bool> ended{false};
    std::exception_ptr error;
};
} // namespace

void runOnWorker(QThreadPool &pool, std::function<void()> call)
{
    const auto outcome = std::make_shared<Outcome>();
    QAbstractEventDispatcher *waiting = QAbstractEventDispatcher::instance();
    pool.start([call = std::move(call), outcome, waiting] {
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
    sleepUntil([&] { return outcome->ended.load(); }, QDeadlineTimer(QDeadlineTimer::Forever),
               WhileEnding::KeepWaiting);
    if (outcome->error)
        std::rethrow_exception(outcome->error);
}
