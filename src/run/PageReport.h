#pragma once

#include <QString>

#include <optional>

// What became of one page of a print run.
struct PageReport
{
    // Printed: handed to the printer or saved, as the run's destination takes pages. Kept: kept for
    // a file that is written once the run is over, when it becomes Printed, or Failed if the file
    // can't be written.
    enum class Outcome { Printed, Skipped, Failed, Refused, Kept };

    QString address;
    Outcome outcome = Outcome::Printed;
    std::optional<int> httpStatus;
    QString loadError;  // why the load failed; empty when it did not
    QString printError; // why the page could not be prepared or was refused
    std::optional<int> job;
    QString file;    // the file the page was saved to
    QString printer; // the printer the run prints to; empty for a run that saves files
    int leftOff = 0; // how many notices, pop-ups and pinned buttons were left off the page
    double seconds = 0;

    // Printed after a load that went well: the only outcome that leaves nothing to look into.
    bool clean() const { return outcome == Outcome::Printed && loadError.isEmpty(); }
    // A run without a printer saves its pages as files.
    bool savesFiles() const { return printer.isEmpty(); }
    // What became of the page, as the command line's progress and the window's report both say it:
    // "printed (job Office-17)", "load failed: HTTP 404; printed (job Office-18)", "skipped", ...
    QString whatHappened() const;
};
