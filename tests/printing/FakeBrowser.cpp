#include "printing/FakeBrowser.h"

#include "runtime/RuntimeError.h"

void FakeBrowser::loadAddress(const QString &address)
{
    m_address = address;
    m_log << QStringLiteral("load ") + address;
    if (failLoad)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("Navigation refused"));
}

void FakeBrowser::loadAhead(const QStringList &addresses)
{
    m_log << QStringLiteral("ahead ") + addresses.join(QLatin1Char(' '));
}

bool FakeBrowser::loadComplete()
{
    // Runs of tests are logged once: how many there were is the test's to count.
    if (m_log.isEmpty() || m_log.last() != QLatin1String("complete?"))
        m_log << QStringLiteral("complete?");
    return readiness(++completeTests);
}

void FakeBrowser::setUpSheets()
{
    m_log << QStringLiteral("set up page");
}

RenderedPage FakeBrowser::renderForPrinting(const SheetRequest &)
{
    m_log << QStringLiteral("render");
    if (!failRenderOf.isEmpty() && m_address == failRenderOf)
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page does not answer."));
    return {QByteArrayLiteral("%PDF"), {}, m_address, {}, 1};
}

Delivery FakeBrowser::handOver(RenderedPage, const ListPlace &)
{
    m_log << QStringLiteral("hand over");
    if (failHandOver)
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The printer refused the page."));
    return {1, QStringLiteral("Fake"), QString()};
}
