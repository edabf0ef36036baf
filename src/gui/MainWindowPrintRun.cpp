#include "gui/MainWindow.h"

#include "gui/RunDefaultPrinter.h"
#include "gui/RunReportWindow.h"
#include "run/StoredSettings.h"
#include "run/PauseValue.h"
#include "run/PrintRun.h"
#include "run/RunPages.h"
#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/ShownText.h"
#include "urllist/ListReader.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopedValueRollback>

namespace {

// The share of the list done when row i starts, against the list's length at that moment.
int progressPercent(int row, int rowCount)
{
    if (rowCount == 0)
        throw RuntimeError(ErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
    return qRound(static_cast<double>(row) / rowCount * 100.0);
}

} // namespace

void MainWindow::startPrinting()
{
    printRows(RunPages(*m_urlList), std::nullopt);
}

void MainWindow::printAgain(const QList<RepeatedPage> &pages)
{
    if (!pages.isEmpty() && m_lastRunTarget)
        printRows(RunPages(pages), m_lastRunTarget);
}

void MainWindow::printRows(const RunPages &rows, const std::optional<PageTarget> &again)
{
    // A second start in the middle of a run would take the chosen printer for the user's own
    // default and never give the real one back.
    if (m_printRunning)
        return;
    const QScopedValueRollback<bool> running(m_printRunning, true);
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.PushButton2_Click"));
    PrinterSystem &printers = *m_services.printers;
    Dialogs &dialogs = *m_services.dialogs;
    Clock &clock = *m_services.clock;
    // The pause box is read afresh each time a slice of the pause is due.
    auto pauseText = [this] { return m_pauseBox->text(); };
    auto pauseSlice = [&](ErrorTrap &pageTrap, int testLine, int waitLine) {
        waitPauseSlice(pageTrap, clock, testLine, waitLine, pauseText);
    };

    bool listEmpty = false;
    trap.line(102, [&] {
        listEmpty = rows.count() <= 0;
        if (!listEmpty)
            setPointer(Pointer::Busy);
    });
    if (listEmpty) {
        trap.line(144,
                  [&] { dialogs.message(QStringLiteral("No files added."), applicationTitle(), Dialogs::Icon::None); });
        return;
    }

    // A run of pages again goes where the run they came from went; a new one where the window says.
    const std::optional<PageTarget> target = again ? again : chosenTarget();
    std::optional<PrintRun> run;
    try {
        if (target)
            run.emplace(printers, *m_browsers, *m_runEvents, rows, *target, RunOptions{savedPageSetup()});
    } catch (const RuntimeError &error) {
        // A folder that takes no file, which the user can mend and start again.
        dialogs.message(error.description(), applicationTitle(), Dialogs::Icon::Warning);
    }
    if (!run) {
        trap.line(148, [&] { setPointer(Pointer::Arrow); });
        return;
    }
    if (target->savesFiles())
        rememberPdfFolder(target->path());
    const bool savingFiles = target->savesFiles();
    m_lastRunTarget = target;
    if (m_runReport)
        m_runReport->close();
    QList<RunReportWindow::Entry> notClean;
    int pagesRun = 0;
    if (!savingFiles)
        trap.line(104, [&] { m_runDefault->prepareSwitch(); });
    trap.line(106, [&] {
        if (!savingFiles)
            m_runDefault->switchTo(target->printerName());
    });
    int n = 0;
    int i = 1;
    trap.line(108, [&] {
        n = rows.count();
        i = 1;
    });
    bool addressReached = false;
    while (i <= n && !programEnding()) {
        QString address;
        trap.line(120, [&] { address = rows.text(i); });
        trap.line(116, [&] {
            m_progressBar->setValue(progressPercent(i, rows.count()));
            m_progressBar->setFormat(QStringLiteral("Processing: ") + afterLastBackslash(shownAddress(address)));
            letEventsRun();
        });
        // A blank row (a list file's last line end gives one) prints nothing: a wasted sheet
        // otherwise. It still counts for the progress.
        if (isBlankRow(address)) {
            trap.line(138, [&] { ++i; });
            continue;
        }
        // Blank rows are skipped, so the first address printed is the run's first page.
        const bool firstAddress = !addressReached;
        addressReached = true;
        bool firstPage = false;
        trap.line(118, [&] { setPointer(Pointer::Busy); });
        if (trap.test(110, [&] { return firstAddress; }))
            trap.line(112, [&] { firstPage = true; });
        else
            trap.line(114, [&] { firstPage = false; });
        trap.line(122, [&] { setPointer(Pointer::Busy); });
        waitPauseSlice(trap, clock, 124, 126, pauseText);
        trap.line(128, [&] { letEventsRun(); });
        trap.line(130, [&] {
            const PageReport report = run->printRow(i, n, firstPage, clock, dialogs, pauseSlice);
            ++pagesRun;
            if (!report.clean())
                notClean.append({{address, rows.place(i, n)}, report.whatHappened()});
        });
        trap.line(132, [&] { setPointer(Pointer::Busy); });
        waitPauseSlice(trap, clock, 134, 136, pauseText);
        trap.line(138, [&] { ++i; });
    }
    // Nothing of the last page may reach the window once it is printed: its renderer could end
    // while the "Done." box is open.
    run->letGoOfPages();
    if (!savingFiles)
        trap.line(140, [&] { m_runDefault->putBack(); });
    trap.line(148, [&] { setPointer(Pointer::Arrow); });
    trap.line(146, [&] {
        m_progressBar->setValue(0);
        m_progressBar->setFormat(QStringLiteral("Progress Bar"));
    });
    trap.line(142, [&] { dialogs.message(QStringLiteral("Done."), applicationTitle(), Dialogs::Icon::None); });
    // "Done." alone would pass over pages that did not come out as they should.
    if (!notClean.isEmpty() && !programEnding())
        showRunReport(notClean, pagesRun, savingFiles);
}

void MainWindow::showRunReport(const QList<RunReportWindow::Entry> &entries, int pageCount, bool savedFiles)
{
    m_runReport = new RunReportWindow(this);
    // The run starts once the report's click is over: the report goes as its run begins.
    connect(m_runReport, &RunReportWindow::printAgain, this, &MainWindow::printAgain, Qt::QueuedConnection);
    m_runReport->showRun(entries, pageCount, savedFiles);
    m_runReport->move(geometry().center() - m_runReport->rect().center());
    m_runReport->show();
    m_runReport->raise();
    m_runReport->activateWindow();
}
