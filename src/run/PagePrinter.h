#pragma once

#include "browser/WaitRules.h"
#include "destinations/PageDestination.h"
#include "run/BrowserControl.h"
#include "run/PageReport.h"
#include "runtime/Clock.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class Dialogs;
class ErrorTrap;

// The wait for a page to complete ends after this many tests, or once this much time has passed
// on the clock, whichever comes first; the page is then printed as far as it got.
constexpr int kMaxReadyStatePasses = 10'000'000;
constexpr std::chrono::seconds kReadinessTimeLimit = kDefaultTimeLimit;

// What the page routine asks of the run it prints for: the sheets' layout, set up from the
// printer on the run's first page, and the hand-over of a rendered page to the run's destination.
class PageRun
{
public:
    virtual ~PageRun() = default;
    // Takes the paper, orientation and margins of the following prints from the printer.
    virtual void setUpSheets() = 0;
    // How the pages are rendered; raises a printer RuntimeError where the sheets need a printer
    // and there is none.
    virtual SheetRequest sheetRequest() = 0;
    // Lays the run's header and footer on the page's sheets and hands it to the run's destination
    // (a printer, a folder, a file); gives what it made of it. Raises a printer RuntimeError when
    // the destination refuses it or can't be reached.
    virtual Delivery handOver(RenderedPage page, const ListPlace &place) = 0;
};

// How a run wants one page printed.
struct PageRequest
{
    QString address;
    // The row's place in the list, for a destination that names files after it.
    ListPlace place;
    // The run's first page sets the paper up from the printer before it prints.
    bool firstPage = false;
    std::chrono::nanoseconds loadTimeLimit = kReadinessTimeLimit;
    // A page whose load failed is left out instead of printed as it stands.
    bool skipFailedLoad = false;
    // What a page whose load went well waits for before it prints. An element that does not come
    // in time counts as a failed load.
    WaitRules waitRules;
    // The addresses the run prints next, in order, loaded ahead while this page prints as far as
    // the run keeps pages in flight; none: nothing ahead.
    QStringList nextAddresses;
    // One slice of the run's pause, due after the load starts, once the page is complete and
    // before it prints: the test of whether a pause is due on testLine, the wait on waitLine, both
    // through the trap. None: no pause.
    std::function<void(ErrorTrap &trap, int testLine, int waitLine)> pauseSlice;
};

// Prints one page: loads the address, waits until the page is complete or the time limit has
// passed, readies a page that loaded well as the wait rules ask (its lazy content and the
// element it must show within the same time limit, then the delay), sets the paper up for the
// first page, renders the page and has the run hand it to its destination (a printer, or PDF
// files); gives what became of it. A page of which nothing has come, or whose address the browser
// refuses, prints nothing. Each step that fails shows its error report through the dialogs
// (location "APrint.DoItByFile", the step's line), and the steps after it still run; no error
// leaves it. A run without a window passes dialogs that show nothing: the report says it all.
PageReport printPage(BrowserControl &browser, PageRun &run, Clock &clock, Dialogs &dialogs, const PageRequest &request);
