#pragma once

#include <QString>

#include <cups/cups.h>

#include <atomic>
#include <chrono>
#include <memory>

class CupsConnection;

// The print queue a run's pages go to, and the connection to its server, made once and then
// kept. Looking a queue up lists every destination with its attributes and reads the user's
// printer options again, and a connection to a remote server may cost a handshake; for a page
// that cost more than handing the page over, yet neither changes while the run prints. Used on
// the print-server thread; forget() may be called from any thread.
class KeptPrintQueue
{
public:
    KeptPrintQueue();
    ~KeptPrintQueue();
    KeptPrintQueue(const KeptPrintQueue &) = delete;
    KeptPrintQueue &operator=(const KeptPrintQueue &) = delete;

    // The destination of that name, with the user's saved options: the kept one when it is the
    // same, else looked up afresh; nullptr when the server does not know it. Readies server() for
    // an operation that may take up to the time limit: the kept connection, or a new one when
    // there is none, everything was forgotten, or the kept one has been idle long enough for the
    // server to have closed it. Raises a RuntimeError when the server cannot be reached or does
    // not answer.
    cups_dest_t *find(const QString &name, std::chrono::milliseconds timeLimit);

    // The connection the last find() readied.
    CupsConnection &server() const { return *m_server; }

    // What the server says the destination last found supports (its address, media, job
    // attributes), asked once and kept with it; nullptr when the server would not say.
    cups_dinfo_t *details();

    // The next find() connects again and looks the queue up again: the default has changed, or
    // the queue refused.
    void forget() { m_stale = true; }

private:
    void readyServer(std::chrono::milliseconds timeLimit);
    void release();

    std::atomic<bool> m_stale{false};
    std::unique_ptr<CupsConnection> m_server;
    std::chrono::steady_clock::time_point m_lastUse;
    QString m_name;
    cups_dest_t *m_kept = nullptr;
    int m_count = 0;
    cups_dinfo_t *m_details = nullptr;
};
