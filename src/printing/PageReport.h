#pragma once

#include <QString>

#include <optional>

// What became of one page of a print run.
struct PageReport
{
    // Printed: handed to the printer or saved, as the run's destination takes pages.
    enum class Outcome { Printed, Skipped, Failed, Refused };

    QString address;
    Outcome outcome = Outcome::Printed;
    std::optional<int> httpStatus;
    QString loadError;  // why the load failed; empty when it did not
    QString printError; // why the page could not be prepared or was refused
    std::optional<int> job;
    QString file;    // the file the page was saved to
    QString printer; // the printer the run prints to; empty for a run that saves files
    double seconds = 0;

    // Printed after a load that went well: the only outcome that leaves nothing to look into.
    bool clean() const { return outcome == Outcome::Printed && loadError.isEmpty(); }
};
