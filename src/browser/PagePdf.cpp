#include "browser/PagePdf.h"

#include "runtime/EventSleep.h"
#include "runtime/RuntimeError.h"

#include <QDeadlineTimer>
#include <QWebEnginePage>

#include <chrono>
#include <memory>

QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout, std::chrono::milliseconds timeLimit,
                           const std::function<bool()> &rendererGone)
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
    sleepUntil([&] { return answer->arrived || rendererGone(); }, QDeadlineTimer(timeLimit, Qt::PreciseTimer));
    if (!answer->arrived && rendererGone())
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page's renderer ended before the page was prepared for printing."));
    if (!answer->arrived)
        return {};
    if (answer->pdf.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page could not be prepared for printing."));
    return answer->pdf;
}
