#include "gui/Form1.h"

#include "gui/DefaultPrinter.h"
#include "printing/PagePrinter.h"
#include "printing/PauseValue.h"
#include "printing/WebBrowserControl.h"
#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "urllist/ListReader.h"
#include "urllist/UrlListModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopedValueRollback>

namespace {
constexpr int kDivisionByZero = 11;

// The share of the list done when row i starts, against the list's length at that moment.
int progressPercent(int row, int rowCount)
{
    if (rowCount == 0)
        throw RuntimeError(kDivisionByZero, QStringLiteral("Division by zero"));
    return qRound(static_cast<double>(row) / rowCount * 100.0);
}
} // namespace

void Form1::PushButton2_Click()
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
    auto pauseText = [this] { return Text2->text(); };

    bool listEmpty = false;
    trap.line(102, [&] {
        listEmpty = m_urlList->count() <= 0;
        if (!listEmpty)
            setMousePointer(kBusyPointer);
    });
    if (listEmpty) {
        trap.line(144,
                  [&] { dialogs.message(QStringLiteral("No files added."), applicationTitle(), Dialogs::Icon::None); });
        return;
    }

    QString savedDefault;
    trap.line(104, [&] {
        savedDefault = GetDefaultPrinter(printers, dialogs);
        m_defaultPrinterBeforeRun = savedDefault;
    });
    trap.line(106, [&] {
        // The jobs go to the chosen printer by name; the switch of the default is for the sake of
        // whatever else looks at the default during the run.
        WebBrowser1->setJobPrinter(Combo1->currentText());
        MakeDefaultPrinter(printers, dialogs, Combo1->currentText(), false, &m_toldDefaultNotSwitched);
    });
    int n = 0;
    int i = 1;
    trap.line(108, [&] {
        n = m_urlList->count();
        i = 1;
    });
    bool addressReached = false;
    while (i <= n && !programEnding()) {
        QString address;
        trap.line(120, [&] { address = m_urlList->text(i); });
        trap.line(116, [&] {
            ProgressBar1->setValue(progressPercent(i, m_urlList->count()));
            ProgressBar1->setFormat(QStringLiteral("Processing: ") + FileNamePart(address));
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
        trap.line(118, [&] { setMousePointer(kBusyPointer); });
        if (trap.test(110, [&] { return firstAddress; }))
            trap.line(112, [&] { IsFirstPage = true; });
        else
            trap.line(114, [&] { IsFirstPage = false; });
        trap.line(122, [&] { setMousePointer(kBusyPointer); });
        waitPauseSlice(trap, clock, 124, 126, pauseText);
        trap.line(128, [&] { letEventsRun(); });
        trap.line(130, [&] { DoItByFile(*WebBrowser1, dialogs, clock, pauseText, address); });
        trap.line(132, [&] { setMousePointer(kBusyPointer); });
        waitPauseSlice(trap, clock, 134, 136, pauseText);
        trap.line(138, [&] { ++i; });
    }
    // Nothing of the last page may reach the window once it is printed: its renderer could end
    // while the "Done." box is open.
    WebBrowser1->letGoOfPage();
    trap.line(140, [&] {
        MakeDefaultPrinter(printers, dialogs, savedDefault, false);
        m_defaultPrinterBeforeRun.reset();
    });
    trap.line(148, [&] { setMousePointer(kDefaultPointer); });
    trap.line(146, [&] {
        ProgressBar1->setValue(0);
        ProgressBar1->setFormat(QStringLiteral("Progress Bar"));
    });
    trap.line(142, [&] { dialogs.message(QStringLiteral("Done."), applicationTitle(), Dialogs::Icon::None); });
}

void Form1::restoreDefaultPrinterOfInterruptedRun()
{
    if (!m_defaultPrinterBeforeRun)
        return;
    const QString savedDefault = *m_defaultPrinterBeforeRun;
    m_defaultPrinterBeforeRun.reset();
    MakeDefaultPrinter(*m_services.printers, *m_services.dialogs, savedDefault, false);
}
