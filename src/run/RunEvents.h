#pragma once

#include <QObject>
#include <QString>

// What a run tells of its pages as it goes, for whoever follows it (a test, a benchmark): each page
// handed over and where, and how its time split. It outlives the runs, which send through it.
class RunEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // A page has been handed to the print server as job jobId of the named printer.
    void pagePrinted(int jobId, const QString &printer);
    // A page has been saved in the file, or is kept for it.
    void pageSaved(const QString &file);
    // Sent with each hand-over: how the page's time split, in nanoseconds (see
    // PageBrowser::PhaseTimes), with the hand-over until the destination had taken the page.
    void pagePhaseTimes(qint64 loadNs, qint64 finishNs, qint64 renderNs, qint64 handOverNs);
};
