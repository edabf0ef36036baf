#pragma once

#include "run/PageReport.h"

#include <QString>

// "[3/20] https://example.org/a printed (job Office-17)", or "... saved to "/home/u/003 A.pdf"" for
// a run that saves files, and the like for the other outcomes.
QString progressLine(const PageReport &report, int position, int count);

// One line of JSON: address, outcome, http_status, error, job, printer (null for a run that saves
// files), file (the file the page was saved to, or null), seconds.
QString jsonLine(const PageReport &report);

// Tallies the outcomes for the closing line.
class RunSummary
{
public:
    // What a page that went well is called in the closing line: "Printed" or "Saved".
    explicit RunSummary(QString delivered) : m_delivered(std::move(delivered)) {}
    void add(const PageReport &report);
    // "Printed 3, skipped 1, failed 0, refused 1.", "Saved 3, ...", "Printed 4 (1 after a failed
    // load), ..."; a page kept for a file counts once it is saved or not.
    QString line() const;
    // 0 when every page was printed after a load that went well, 1 otherwise.
    int exitStatus() const { return m_allClean ? 0 : 1; }

private:
    QString m_delivered;
    int m_counts[5] = {0, 0, 0, 0, 0};
    int m_deliveredAfterFailedLoad = 0;
    bool m_allClean = true;
};
