#include "printing/PagePdf.h"

#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWebEnginePage>

#include <chrono>
#include <memory>

namespace {
// Even a long page renders in seconds; this only bounds a browser that has stopped answering.
constexpr std::chrono::seconds kRenderTimeLimit{120};
// How often the wait looks at the clock when no event comes.
constexpr std::chrono::milliseconds kWakeInterval{250};
} // namespace

QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout, const std::function<bool()> &rendererGone)
{
    // The browser answers through the event loop, possibly after this function has given up
    // waiting; the answer then lands in this shared slot instead of a dead stack frame.
    struct Answer
    {
        bool arrived = false;
        QByteArray pdf;
    };
    const auto answer = std::make_shared<Answer>();
    page.printToPdf(
        [answer](const QByteArray &pdf) {
            answer->pdf = pdf;
            answer->arrived = true;
        },
        layout);
    // Not the program's own event sleep: that one stops waiting once the program is ending.
    const QDeadlineTimer limit(kRenderTimeLimit, Qt::PreciseTimer);
    QTimer wake;
    wake.start(kWakeInterval);
    while (!answer->arrived && !rendererGone() && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!answer->arrived && rendererGone())
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page's renderer ended before the page was prepared for printing."));
    if (!answer->arrived)
        return {};
    if (answer->pdf.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page could not be prepared for printing."));
    return answer->pdf;
}
