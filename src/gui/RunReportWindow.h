#pragma once

#include "run/RunPages.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

// What a print run did not do cleanly, shown once its "Done." is read: each page that failed to
// load, was refused or was skipped, with what became of it in the words the command line uses. The
// user can have those pages printed again on the run's printer (or saved again in its folder).
class RunReportWindow : public QWidget
{
    Q_OBJECT

public:
    // A page as the report lists it.
    struct Entry
    {
        RepeatedPage page;
        QString whatHappened;
    };

    explicit RunReportWindow(QWidget *parent = nullptr);

    // Shows the run's pages in place of whatever the window showed: savesFiles for a run that
    // saved its pages instead of printing them, pageCount for all the pages the run went through.
    void showRun(const QList<Entry> &entries, int pageCount, bool savesFiles);

signals:
    void printAgain(const QList<RepeatedPage> &pages);

private:
    QLabel *m_summary = nullptr;
    QTreeWidget *m_pages = nullptr;
    QPushButton *m_againButton = nullptr;
    QList<RepeatedPage> m_shown;
};
