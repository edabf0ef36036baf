#include "run/PagePrinter.h"

#include "run/BrowserControl.h"
#include "runtime/Clock.h"
#include "runtime/ErrorTrap.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"

#include <QElapsedTimer>

namespace {
QString seconds(std::chrono::nanoseconds limit)
{
    return QString::number(std::chrono::duration<double>(limit).count());
}

// Why a load failed, in a few words; nothing when it went well.
QString loadError(const LoadOutcome &outcome, Holding holding, bool complete, const PageRequest &request)
{
    // A wait cut short by the program's end says nothing about the page.
    if (programEnding())
        return {};
    switch (holding) {
    case Holding::Refused:
        return QStringLiteral("address refused");
    case Holding::Nothing:
        return QStringLiteral("no page after %1 seconds").arg(seconds(request.loadTimeLimit));
    case Holding::Page:
        break;
    }
    if (!complete)
        return QStringLiteral("no complete page after %1 seconds").arg(seconds(request.loadTimeLimit));
    return outcome.failed ? outcome.error : QString();
}

// The deadline on the run's clock as the browser's own waits count it; a clock that never gets
// there by itself (a test's) sets them no deadline.
QDeadlineTimer onRealClock(const Clock &clock, Clock::Time deadline)
{
    const std::optional<std::chrono::nanoseconds> remaining = clock.realTimeTo(deadline);
    return remaining ? QDeadlineTimer(*remaining, Qt::PreciseTimer) : QDeadlineTimer(QDeadlineTimer::Forever);
}

// Readies a page that loaded well as the rules ask, by the load's deadline, and then waits what is
// left of the delay; writes down in the report why the page is not ready, as its load's failure.
// Raises nothing.
void finishLoadedPage(BrowserControl &browser, Clock &clock, const WaitRules &rules, Clock::Time deadline,
                      PageReport &report)
{
    const QString notReady = browser.finishPage(rules, onRealClock(clock, deadline));
    // A wait cut short by the program's end says nothing about the page.
    if (programEnding())
        return;
    report.loadError = notReady;
    // The delay counts from the moment the page was ready: one readied while the page before it
    // printed has waited some or all of it already.
    const double delay = rules.delaySeconds - std::chrono::duration<double>(browser.readyFor()).count();
    if (notReady.isEmpty() && delay > 0)
        clock.waitSeconds(delay);
}

// Renders the page and hands it over, writing down in the report what became of it. Raises what
// went wrong, for the page routine's report.
void printLoadedPage(BrowserControl &browser, PageRun &run, Holding holding, const PageRequest &request,
                     PageReport &report)
{
    if (!report.loadError.isEmpty() && request.skipFailedLoad) {
        report.outcome = PageReport::Outcome::Skipped;
        return;
    }
    report.outcome = PageReport::Outcome::Failed;
    // Whatever the browser shows while nothing of the address has come is not its page.
    if (holding == Holding::Refused)
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The browser refused the address; nothing was printed."));
    if (holding == Holding::Nothing)
        throw RuntimeError(
            ErrorNumber::PrinterError,
            QStringLiteral("No page after %1 seconds; nothing was printed.").arg(seconds(request.loadTimeLimit)));
    RenderedPage page;
    try {
        page = browser.renderForPrinting(run.sheetRequest());
    } catch (const RuntimeError &error) {
        report.printError = error.description();
        throw;
    }
    if (programEnding())
        return;
    report.leftOff = page.leftOff;
    report.outcome = PageReport::Outcome::Refused;
    try {
        const Delivery delivery = run.handOver(std::move(page), request.place);
        report.job = delivery.job;
        report.file = delivery.file;
        report.outcome = delivery.pending ? PageReport::Outcome::Kept : PageReport::Outcome::Printed;
    } catch (const RuntimeError &error) {
        report.printError = error.description();
        throw;
    }
}
} // namespace

PageReport printPage(BrowserControl &browser, PageRun &run, Clock &clock, Dialogs &dialogs, const PageRequest &request)
{
    QElapsedTimer elapsed;
    elapsed.start();
    PageReport report;
    report.address = request.address;
    ErrorTrap trap(dialogs, QStringLiteral("APrint.DoItByFile"));
    const auto pause = [&](int testLine, int waitLine) {
        if (request.pauseSlice)
            request.pauseSlice(trap, testLine, waitLine);
    };

    trap.line(100, [&] { browser.loadAddress(request.address); });
    int passes = 0;
    trap.line(102, [&] { passes = 0; });
    pause(104, 106);

    // Sleeps between tests instead of spinning, so a pass is one batch of events; the time limit
    // keeps a page that never completes from holding the run for ever. A failure to test the page
    // ends the wait at once, with its one report.
    const Clock::Time loadDeadline = clock.now() + request.loadTimeLimit;
    EventSleep sleep(clock, loadDeadline);
    bool complete = false;
    for (;;) {
        bool waitMore = false;
        trap.line(108, [&] {
            complete = browser.loadComplete();
            waitMore = !complete && passes < kMaxReadyStatePasses && !sleep.expired();
        });
        if (!waitMore)
            break;
        trap.line(110, [&] { sleep.handleEventsOrSleep(); });
        trap.line(112, [&] { ++passes; });
    }
    const Holding holding = browser.holding();
    const LoadOutcome outcome = browser.loadOutcome();
    report.loadError = loadError(outcome, holding, complete, request);
    if (outcome.httpStatus > 0)
        report.httpStatus = outcome.httpStatus;
    // The next page loads while this one is readied, paused over, rendered and handed over.
    if (!request.nextAddresses.isEmpty())
        browser.loadAhead(request.nextAddresses);
    if (report.loadError.isEmpty() && holding == Holding::Page && !programEnding())
        finishLoadedPage(browser, clock, request.waitRules, loadDeadline, report);

    pause(114, 116);
    if (trap.test(118, [&] { return request.firstPage; }))
        trap.line(120, [&] { run.setUpSheets(); });
    pause(122, 124);
    trap.line(126, [&] { printLoadedPage(browser, run, holding, request, report); });
    if (programEnding() && !report.job && report.file.isEmpty()) {
        report.outcome = PageReport::Outcome::Failed;
        report.printError = QStringLiteral("interrupted");
    }
    report.seconds = static_cast<double>(elapsed.elapsed()) / 1000.0;
    return report;
}
