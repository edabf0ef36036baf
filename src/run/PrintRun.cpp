#include "run/PrintRun.h"

#include "destinations/JoinedPdfDestination.h"
#include "run/RunEvents.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShownText.h"
#include "runtime/WorkerCall.h"
#include "sheets/HeaderFooter.h"
#include "sheets/PdfSheets.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThreadPool>

PrintRun::PrintRun(PrinterSystem &printers, BrowserPool &browsers, RunEvents &events, RunPages rows,
                   const PageTarget &target, RunOptions options)
    : PrintRun(printers,
               std::make_unique<PagesInFlight>(browsers, options.setup.pagesInFlight, options.setup.backgrounds,
                                               options.setup.waitRules, options.pageTimeLimit),
               nullptr, events, std::move(rows), target, options)
{}

PrintRun::PrintRun(PrinterSystem &printers, BrowserControl &pages, RunEvents &events, RunPages rows,
                   const PageTarget &target, RunOptions options)
    : PrintRun(printers, nullptr, &pages, events, std::move(rows), target, std::move(options))
{}

PrintRun::PrintRun(PrinterSystem &printers, std::unique_ptr<PagesInFlight> ownPages, BrowserControl *pages,
                   RunEvents &events, RunPages rows, const PageTarget &target, RunOptions options)
    : m_printers(printers), m_ownPages(std::move(ownPages)), m_pages(m_ownPages ? *m_ownPages : *pages),
      m_events(events), m_rows(std::move(rows)), m_target(target), m_options(std::move(options)),
      m_destination(target.makeDestination(printers))
{}

PrintRun::~PrintRun() = default;

PageReport PrintRun::printRow(int row, int lastRow, bool firstPage, Clock &clock, Dialogs &dialogs,
                              const std::function<void(ErrorTrap &trap, int testLine, int waitLine)> &pauseSlice)
{
    PageRequest request;
    request.address = m_rows.text(row);
    request.place = m_rows.place(row, lastRow);
    request.firstPage = firstPage;
    request.loadTimeLimit = m_options.pageTimeLimit;
    request.skipFailedLoad = m_options.skipFailedLoad;
    request.waitRules = m_options.setup.waitRules;
    request.nextAddresses = m_rows.nextAddresses(row, lastRow, m_options.setup.pagesInFlight - 1);
    request.pauseSlice = pauseSlice;
    PageReport report = printPage(m_pages, *this, clock, dialogs, request);
    report.printer = m_target.printerName();
    return report;
}

void PrintRun::letGoOfPages()
{
    m_pages.letGoOfPages();
}

JoinedPdfDestination *PrintRun::joinedFile() const
{
    return dynamic_cast<JoinedPdfDestination *>(m_destination.get());
}

QString PrintRun::sheetPrinter() const
{
    try {
        return m_destination->sheetPrinter();
    } catch (const RuntimeError &) {
        return {};
    }
}

void PrintRun::setUpSheets()
{
    // Files are laid out on the default printer's paper where there is one, the fallback without.
    m_layout = sheetLayoutFor(m_printers, sheetPrinter(), m_options.setup);
}

SheetRequest PrintRun::sheetRequest()
{
    const QPageLayout layout =
        m_layout ? *m_layout : sheetLayoutFor(m_printers, m_destination->sheetPrinter(), m_options.setup);
    return {layout, m_options.setup.scale, std::chrono::ceil<std::chrono::milliseconds>(m_options.pageTimeLimit)};
}

void PrintRun::layHeaderAndFooter(RenderedPage &page, const QPageLayout &layout) const
{
    const PageSetup &setup = m_options.setup;
    if (setup.header.isEmpty() && setup.footer.isEmpty())
        return;
    // The address as a reader can trust it on paper: no password, and no mark that reverses it.
    const SheetFields fields{page.titleOrAddress(), withControlsEscaped(page.shownUrl.toString(QUrl::RemovePassword)),
                             QDateTime::currentDateTime()};
    // Reading the page's PDF and writing it again takes a long page tens of milliseconds, in which
    // the browser, whose side of the pages in flight runs on the GUI thread, would stand still.
    runOnWorker(*QThreadPool::globalInstance(), [&] {
        PdfSheets sheets(page.pdf);
        page.sheets = sheets.count();
        page.pdf = sheets.overlaid(drawHeadersAndFooters(setup.header, setup.footer, fields, layout, page.sheets));
    });
}

Delivery PrintRun::handOver(RenderedPage page, const ListPlace &place)
{
    QElapsedTimer laying;
    laying.start();
    layHeaderAndFooter(page, sheetRequest().layout);
    const qint64 layingNs = laying.nsecsElapsed();
    QElapsedTimer handingOver;
    handingOver.start();
    Delivery delivery = m_destination->deliver({std::move(page), place, m_options.setup.jobOptions()});
    const qint64 handOverNs = handingOver.nsecsElapsed();
    if (delivery.job)
        emit m_events.pagePrinted(*delivery.job, delivery.printer);
    else
        emit m_events.pageSaved(delivery.file);
    const PhaseTimes times = m_pages.phaseTimes();
    emit m_events.pagePhaseTimes(times.loadNs, times.finishNs, times.renderNs + layingNs, handOverNs);
    return delivery;
}
