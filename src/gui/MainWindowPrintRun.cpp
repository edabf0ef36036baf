#include "gui/MainWindow.h"

#include "gui/PageSetupChoice.h"
#include "gui/PdfFolderChoice.h"
#include "gui/PrinterChoice.h"
#include "gui/RunDefaultPrinter.h"
#include "gui/RunReporter.h"
#include "gui/WindowPointer.h"
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
            m_pointer->set(WindowPointer::Shape::Busy);
    });
    if (listEmpty) {
        trap.line(144,
                  [&] { dialogs.message(QStringLiteral("No files added."), applicationTitle(), Dialogs::Icon::None); });
        return;
    }

    // A run of pages again goes where the run they came from went; a new one where the window says.
    const std::optional<PageTarget> target = again ? again : m_printerChoice->chosenTarget(*m_pdfFolder);
    std::optional<PrintRun> run;
    try {
        if (target)
            run.emplace(printers, *m_browsers, *m_runEvents, rows, *target, RunOptions{m_pageSetup->forRun()});
    } catch (const RuntimeError &error) {
        // A folder that takes no file, which the user can mend and start again.
        dialogs.message(error.description(), applicationTitle(), Dialogs::Icon::Warning);
    }
    if (!run) {
        trap.line(148, [&] { m_pointer->set(WindowPointer::Shape::Arrow); });
        return;
    }
    const bool savingFiles = target->savesFiles();
    if (savingFiles)
        m_pdfFolder->remember(target->path());
    m_runReporter->runStarts(*target);
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
        trap.line(118, [&] { m_pointer->set(WindowPointer::Shape::Busy); });
        if (trap.test(110, [&] { return firstAddress; }))
            trap.line(112, [&] { firstPage = true; });
        else
            trap.line(114, [&] { firstPage = false; });
        trap.line(122, [&] { m_pointer->set(WindowPointer::Shape::Busy); });
        waitPauseSlice(trap, clock, 124, 126, pauseText);
        trap.line(128, [&] { letEventsRun(); });
        trap.line(130, [&] {
            const PageReport report = run->printRow(i, n, firstPage, clock, dialogs, pauseSlice);
            m_runReporter->pageDone({address, rows.place(i, n)}, report);
        });
        trap.line(132, [&] { m_pointer->set(WindowPointer::Shape::Busy); });
        waitPauseSlice(trap, clock, 134, 136, pauseText);
        trap.line(138, [&] { ++i; });
    }
    // Nothing of the last page may reach the window once it is printed: its renderer could end
    // while the "Done." box is open.
    run->letGoOfPages();
    if (!savingFiles)
        trap.line(140, [&] { m_runDefault->putBack(); });
    trap.line(148, [&] { m_pointer->set(WindowPointer::Shape::Arrow); });
    trap.line(146, [&] {
        m_progressBar->setValue(0);
        m_progressBar->setFormat(QStringLiteral("Progress Bar"));
    });
    trap.line(142, [&] { dialogs.message(QStringLiteral("Done."), applicationTitle(), Dialogs::Icon::None); });
    m_runReporter->runEnds();
}
