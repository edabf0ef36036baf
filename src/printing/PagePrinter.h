#pragma once

#include <QString>

#include <chrono>
#include <functional>

class BrowserControl;
class Clock;
class Dialogs;

// True while the print run prints the first address of the run: the page printer then issues the
// page-setup command before printing. Keeps its last value after a run.
extern bool IsFirstPage;

// Loads the address into the browser, waits until the page reports complete and prints it to the
// default printer without a dialog. The pauses and the bound on the wait are measured on the
// clock; pauseText reads the pause box afresh each time a pause slice is due. Reports its own
// errors (location "APrint.DoItByFile") and goes on after each; no error leaves it.
void DoItByFile(BrowserControl &browser, Dialogs &dialogs, Clock &clock, const std::function<QString()> &pauseText,
                const QString &address);

// The wait for a page to report complete ends after this many tests of its ready state, or once
// this much time has passed on the clock, whichever comes first; the page is then printed as far
// as it got.
constexpr int kMaxReadyStatePasses = 10'000'000;
constexpr std::chrono::seconds kReadinessTimeLimit{60};
