#include "printing/FakeBrowser.h"

#include "runtime/RuntimeError.h"

void FakeBrowser::Navigate(const QString &address)
{
    m_log << QStringLiteral("Navigate ") + address;
    if (failNavigate)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("Navigation refused"));
}

int FakeBrowser::ReadyState()
{
    // Runs of tests are logged once: how many there were is the test's to count.
    if (m_log.isEmpty() || m_log.last() != QLatin1String("ReadyState"))
        m_log << QStringLiteral("ReadyState");
    return readiness(++readyStateTests);
}

void FakeBrowser::ExecWB(int command, int option)
{
    m_log << QStringLiteral("ExecWB %1 %2").arg(command).arg(option);
    if (failPrint && command == kCommandPrint)
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The printer refused the page."));
}
