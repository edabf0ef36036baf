#include "runtime/WorkerCall.h"
#include "support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <stdexcept>

class WorkerCallTest : public QObject
{
    Q_OBJECT

private slots:
    // The call runs beside the GUI thread, whose events run while it works (a call that waits for
    // one would otherwise never end), and what it raises comes back to the caller.
    void theCallerHandlesEventsAndGetsTheCallsError()
    {
        std::atomic<bool> eventRan{false};
        QTimer event;
        event.setSingleShot(true);
        connect(&event, &QTimer::timeout, this, [&] { eventRan = true; });
        event.start(0);
        QThread *callThread = nullptr;
        QThreadPool pool;
        try {
            runOnWorker(pool, [&] {
                callThread = QThread::currentThread();
                const QDeadlineTimer limit(5000);
                while (!eventRan && !limit.hasExpired())
                    QThread::msleep(1);
                throw std::runtime_error(eventRan ? "after the event" : "no event");
            });
            QFAIL("the call's error was not raised");
        } catch (const std::runtime_error &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("after the event"));
        }
        QVERIFY(callThread != QThread::currentThread());
    }
};

QUILLBRAE_TEST_MAIN(WorkerCallTest)
#include "test_worker_call.moc"
