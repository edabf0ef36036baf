#include "printers/CupsCallThread.h"

#include "printers/CupsConnection.h"
#include "runtime/WorkerCall.h"

#include <QThreadPool>

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
} // namespace

namespace CupsCallThread {

void run(std::function<void()> call)
{
    if (onPrintServerThread) {
        call();
        return;
    }
    // Waits also while the program is ending, when the program's other waits no longer do: the
    // default printer is put back then. Every call is bounded by its own time limit, and gives up
    // at once on a server that makes it wait once the program is ending.
    runOnWorker(printServerThread(), [call = std::move(call)] {
        onPrintServerThread = true;
        call();
    });
}

} // namespace CupsCallThread
