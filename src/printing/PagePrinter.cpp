#include "printing/PagePrinter.h"

#include "printing/BrowserControl.h"
#include "printing/PauseValue.h"
#include "runtime/Clock.h"
#include "runtime/ErrorTrap.h"
#include "runtime/EventSleep.h"

bool IsFirstPage = false;

void DoItByFile(BrowserControl &browser, Dialogs &dialogs, Clock &clock, const std::function<QString()> &pauseText,
                const QString &address)
{
    ErrorTrap trap(dialogs, QStringLiteral("APrint.DoItByFile"));
    trap.line(100, [&] { browser.Navigate(address); });
    int passes = 0;
    trap.line(102, [&] { passes = 0; });
    waitPauseSlice(trap, clock, 104, 106, pauseText);

    // Sleeps between tests instead of spinning, so a pass is one batch of events; the time limit
    // keeps a page that never completes from holding the run for ever. A failure to read the
    // ready state ends the wait at once, with its one report.
    EventSleep sleep(clock, clock.now() + kReadinessTimeLimit);
    for (;;) {
        bool waitMore = false;
        trap.line(108, [&] {
            waitMore = browser.ReadyState() != BrowserControl::kReadyStateComplete && passes < kMaxReadyStatePasses &&
                       !sleep.expired();
        });
        if (!waitMore)
            break;
        trap.line(110, [&] { sleep.handleEventsOrSleep(); });
        trap.line(112, [&] { ++passes; });
    }

    waitPauseSlice(trap, clock, 114, 116, pauseText);
    if (trap.test(118, [] { return IsFirstPage; }))
        trap.line(120,
                  [&] { browser.ExecWB(BrowserControl::kCommandPageSetup, BrowserControl::kOptionDontPromptUser); });
    waitPauseSlice(trap, clock, 122, 124, pauseText);
    trap.line(126, [&] { browser.ExecWB(BrowserControl::kCommandPrint, BrowserControl::kOptionDontPromptUser); });
}
