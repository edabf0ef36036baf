#include "gui/RunReporter.h"

#include "run/PageReport.h"
#include "runtime/ProgramLifetime.h"

RunReporter::RunReporter(QWidget &window, std::function<void(const RunPages &, const PageTarget &)> printAgain)
    : QObject(&window), m_window(window), m_printAgain(std::move(printAgain))
{}

void RunReporter::runStarts(const PageTarget &target)
{
    m_lastTarget = target;
    if (m_report)
        m_report->close();
    m_notClean.clear();
    m_pagesRun = 0;
}

void RunReporter::pageDone(const RepeatedPage &page, const PageReport &report)
{
    ++m_pagesRun;
    if (!report.clean())
        m_notClean.append({page, report.whatHappened()});
}

void RunReporter::runEnds()
{
    // "Done." alone would pass over pages that did not come out as they should.
    if (m_notClean.isEmpty() || programEnding() || !m_lastTarget)
        return;
    m_report = new RunReportWindow(&m_window);
    // The run starts once the report's click is over: the report goes as its run begins.
    connect(m_report, &RunReportWindow::printAgain, this, &RunReporter::printAgain, Qt::QueuedConnection);
    m_report->showRun(m_notClean, m_pagesRun, m_lastTarget->savesFiles());
    m_report->move(m_window.geometry().center() - m_report->rect().center());
    m_report->show();
    m_report->raise();
    m_report->activateWindow();
}

void RunReporter::printAgain(const QList<RepeatedPage> &pages)
{
    if (!pages.isEmpty() && m_lastTarget)
        m_printAgain(RunPages(pages), *m_lastTarget);
}
