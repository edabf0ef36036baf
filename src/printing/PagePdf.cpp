#include "printing/PagePdf.h"

#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QWebEnginePage>

#include <chrono>
#include <memory>

namespace {
// Even a long page renders in seconds; this only bounds a browser that has stopped answering.
constexpr std::chrono::seconds kRenderTimeLimit{120};
} // namespace

QByteArray renderPageToPdf(QWebEnginePage &page, const QPageLayout &layout)
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
    const bool arrived =
        sleepUntil([&] { return answer->arrived; }, QDeadlineTimer(kRenderTimeLimit, Qt::PreciseTimer));
    if (programEnding())
        return {};
    if (!arrived)
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page could not be prepared for printing in time."));
    if (answer->pdf.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page could not be prepared for printing."));
    return answer->pdf;
}
