#pragma once

#include <QString>

#include <cups/cups.h>

#include <atomic>

class CupsConnection;

// The print queue a run's pages go to, looked up once and then kept. Looking a queue up lists
// every destination with its attributes and reads the user's printer options again; for a page
// that cost more than handing the page over, yet the queue and its options don't change while
// the run prints. Used on the print-server thread; forget() may be called from any thread.
class KeptPrintQueue
{
public:
    KeptPrintQueue() = default;
    ~KeptPrintQueue();
    KeptPrintQueue(const KeptPrintQueue &) = delete;
    KeptPrintQueue &operator=(const KeptPrintQueue &) = delete;

    // The destination of that name, with the user's saved options; the kept one when it is the
    // same and nothing has been forgotten since, else looked up afresh. nullptr when the server
    // does not know it. Raises a RuntimeError when the server does not answer.
    cups_dest_t *find(CupsConnection &server, const QString &name);

    // The next find() looks the queue up again: the default has changed, or the queue refused.
    void forget() { m_stale = true; }

private:
    void release();

    std::atomic<bool> m_stale{false};
    QString m_name;
    cups_dest_t *m_kept = nullptr;
    int m_count = 0;
};
