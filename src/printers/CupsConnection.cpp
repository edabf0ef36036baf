#include "printers/CupsConnection.h"

#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <algorithm>

namespace {
// How often a wait for the server looks at the clock. libcups gives up on a request as soon as
// keepWaiting() says so, but only at these moments.
constexpr double kWaitSlice = 0.25; // seconds
} // namespace

CupsConnection::CupsConnection(std::chrono::milliseconds timeLimit)
    : m_deadline(std::chrono::steady_clock::now() + timeLimit)
{
    const int connectLimit = static_cast<int>(std::max<std::chrono::milliseconds::rep>(timeLimit.count(), 1));
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, connectLimit, nullptr);
    if (!m_http)
        throwPrinterError(QStringLiteral("Cannot connect to the print server %1: %2.")
                              .arg(serverName(), QString::fromUtf8(cupsLastErrorString())));
    httpSetTimeout(m_http, kWaitSlice, &CupsConnection::keepWaiting, this);
}

void CupsConnection::renewTimeLimit(std::chrono::milliseconds timeLimit)
{
    m_deadline = std::chrono::steady_clock::now() + timeLimit;
}

CupsConnection::~CupsConnection()
{
    httpClose(m_http);
}

int CupsConnection::keepWaiting(http_t *, void *connection)
{
    // A program that is ending waits for no server: it is about to leave.
    return !programEnding() && std::chrono::steady_clock::now() < static_cast<CupsConnection *>(connection)->m_deadline
               ? 1
               : 0;
}

void CupsConnection::checkAnswered() const
{
    if (const int error = httpError(m_http))
        throwPrinterError(
            QStringLiteral("The print server %1 does not answer: %2.").arg(serverName(), qt_error_string(error)));
}

QString CupsConnection::serverName()
{
    return QString::fromUtf8(cupsServer());
}

void throwPrinterError(const QString &description)
{
    throw RuntimeError(ErrorNumber::PrinterError, description);
}
