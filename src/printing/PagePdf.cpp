#include "printing/PagePdf.h"

#include "runtime/EventSleep.h"
#include "runtime/RuntimeError.h"

#include <QDeadlineTimer>
#include <QWebEnginePage>

#include <chrono>
#include <memory>

namespace {
// Even a long page renders in seconds; this only bounds a browser that has stopped answering.
constexpr std::chrono::seconds kRenderTimeLimit{120};
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
    // Waits also once the program is ending: the page must not go away while its print is under
    // way.
    sleepUntil([&] { return answer->arrived || rendererGone(); }, QDeadlineTimer(kRenderTimeLimit, Qt::PreciseTimer),
               WhileEnding::KeepWaiting);
    if (!answer->arrived && rendererGone())
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page's renderer ended before the page was prepared for printing."));
    if (!answer->arrived)
        return {};
    if (answer->pdf.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page could not be prepared for printing."));
    return answer->pdf;
}
