#pragma once

#include "destinations/PageTarget.h"
#include "gui/RunReportWindow.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

struct PageReport;
class QWidget;

// The report of the window's last run: the pages that did not print cleanly, shown once the
// run's "Done." is read, from which the user can have them printed again where that run printed
// them. One report at a time: a new run closes the last one.
class RunReporter : public QObject
{
    Q_OBJECT

public:
    // printAgain starts a run of the pages given, to the target given.
    RunReporter(QWidget &window, std::function<void(const RunPages &, const PageTarget &)> printAgain);

    // A run to the target begins.
    void runStarts(const PageTarget &target);
    // What became of one of its pages.
    void pageDone(const RepeatedPage &page, const PageReport &report);
    // The run is over and its "Done." read: the report is shown if any page did not print cleanly.
    void runEnds();

private:
    void printAgain(const QList<RepeatedPage> &pages);

    QWidget &m_window;
    std::function<void(const RunPages &, const PageTarget &)> m_printAgain;
    // The last run's report, while it is open, and where that run went.
    QPointer<RunReportWindow> m_report;
    std::optional<PageTarget> m_lastTarget;
    QList<RunReportWindow::Entry> m_notClean;
    int m_pagesRun = 0;
};
