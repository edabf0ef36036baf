#pragma once

#include <QString>

#include <optional>

// What became of one page of a print run.
struct PageReport
{
    enum class Outcome { Printed, Skipped, Failed, Refused };

    QString address;
    Outcome outcome = Outcome::Printed;
    std::optional<int> httpStatus;
    QString loadError;  // why the load failed; empty when it did not
    QString printError; // why the page could not be prepared or was refused
    std::optional<int> job;
    QString printer;
    double seconds = 0;

    // Printed after a load that went well: the only outcome that leaves nothing to look into.
    bool clean() const { return outcome == Outcome::Printed && loadError.isEmpty(); }
};
