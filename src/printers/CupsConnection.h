#pragma once

#include <QString>

#include <cups/cups.h>

#include <chrono>

// One connection to the print server the environment names (CUPS_SERVER or client.conf, else the
// local scheduler), opened for one operation and closed with it, or kept for the next ones.
// Connecting and the replies together are bounded by the time limit, so that a print server that
// is down or hangs costs seconds, never the window.
class CupsConnection
{
public:
    // Raises a RuntimeError when the server cannot be reached.
    explicit CupsConnection(std::chrono::milliseconds timeLimit);
    ~CupsConnection();
    CupsConnection(const CupsConnection &) = delete;
    CupsConnection &operator=(const CupsConnection &) = delete;

    http_t *http() const { return m_http; }

    // Gives the next operation on a kept connection the whole time limit from now.
    void renewTimeLimit(std::chrono::milliseconds timeLimit);

    // Raises a RuntimeError when the server stopped answering during the last request; libcups
    // reports such a failure only as an empty answer.
    void checkAnswered() const;

    // The server's address as shown in messages.
    static QString serverName();

private:
    static int keepWaiting(http_t *http, void *connection);

    std::chrono::steady_clock::time_point m_deadline;
    http_t *m_http = nullptr;
};

// The error the program raises for anything the print system refuses or fails to do.
[[noreturn]] void throwPrinterError(const QString &description);
