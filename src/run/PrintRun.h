#pragma once

#include "destinations/PageTarget.h"
#include "run/PagePrinter.h"
#include "run/PageSetup.h"
#include "run/PagesInFlight.h"
#include "run/RunPages.h"

#include <QPageLayout>

#include <chrono>
#include <memory>
#include <optional>

class BrowserPool;
class Clock;
class Dialogs;
class JoinedPdfDestination;
class PageDestination;
class PrinterSystem;
class RunEvents;

// How a run prints, besides where: its page setup, the bound on each page's load (and as long
// again on its rendering), and whether a page whose load failed is left out.
struct RunOptions
{
    PageSetup setup;
    std::chrono::nanoseconds pageTimeLimit = kReadinessTimeLimit;
    bool skipFailedLoad = false;
};

// One print run: what it prints (its rows), where the pages go (its target and the destination it
// makes), how they are printed, and the pages in flight in the program's browsers. The window and
// the command line each make one, go through its rows with printRow in order, and follow the
// reports it gives. The pages are handed to the destination in list order, one at a time.
class PrintRun : public PageRun
{
public:
    // Prints in the browsers of the pool, with as many pages in flight as the page setup asks.
    // Raises a RuntimeError, before any page, when the target's folder or file can't be written.
    PrintRun(PrinterSystem &printers, BrowserPool &browsers, RunEvents &events, RunPages rows, const PageTarget &target,
             RunOptions options);
    // Prints through the browsers given, which may be a stand-in.
    PrintRun(PrinterSystem &printers, BrowserControl &pages, RunEvents &events, RunPages rows, const PageTarget &target,
             RunOptions options);
    ~PrintRun() override;
    PrintRun(const PrintRun &) = delete;
    PrintRun &operator=(const PrintRun &) = delete;

    const RunPages &rows() const { return m_rows; }
    // Prints the page of a row that is not blank, in a run over rows 1 to lastRow, with the run's
    // time bound and wait rules, loading the rows after it ahead as far as the run keeps pages in
    // flight (see printPage); the first page sets the sheets up. Its report names the run's printer.
    PageReport printRow(int row, int lastRow, bool firstPage, Clock &clock, Dialogs &dialogs,
                        const std::function<void(ErrorTrap &trap, int testLine, int waitLine)> &pauseSlice = {});
    // Lets go of the last pages: whatever their renderers do afterwards can't reach the program.
    void letGoOfPages();

    const PageTarget &target() const { return m_target; }
    // The printer whose papers the sheets are laid out on; none for files without a default printer,
    // or for a printer that is gone.
    QString sheetPrinter() const;
    // The one file of a run that joins its pages, to be written once the run is over; none for
    // another target.
    JoinedPdfDestination *joinedFile() const;

    void setUpSheets() override;
    SheetRequest sheetRequest() override;
    Delivery handOver(RenderedPage page, const ListPlace &place) override;

private:
    PrintRun(PrinterSystem &printers, std::unique_ptr<PagesInFlight> ownPages, BrowserControl *pages, RunEvents &events,
             RunPages rows, const PageTarget &target, RunOptions options);
    // Lays the header and footer over the page's sheets, counting them.
    void layHeaderAndFooter(RenderedPage &page, const QPageLayout &layout) const;

    PrinterSystem &m_printers;
    // The run's own pages in flight, when it prints in a pool's browsers.
    std::unique_ptr<PagesInFlight> m_ownPages;
    BrowserControl &m_pages;
    RunEvents &m_events;
    RunPages m_rows;
    PageTarget m_target;
    RunOptions m_options;
    std::shared_ptr<PageDestination> m_destination;
    std::optional<QPageLayout> m_layout;
};
