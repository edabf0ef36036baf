#pragma once

#include <QList>
#include <QString>

#include <variant>

// One option for a print job as lp takes it after -o: a name and its value ("copies" and "2"), or
// a name alone ("landscape"), whose value is then empty.
struct JobOption
{
    QString name;
    QString value;
};
using JobOptions = QList<JobOption>;

// The server takes at most this many copies of a job unless set up otherwise (MaxCopies).
constexpr int kMostCopies = 9999;
// The sides a job may ask for; none of them: as the printer is set up.
inline const QStringList &knownSides()
{
    static const QStringList sides{QStringLiteral("one-sided"), QStringLiteral("two-sided-long-edge"),
                                   QStringLiteral("two-sided-short-edge")};
    return sides;
}

// Reads "NAME=VALUE" or "NAME" as lp does. The options whose values the program knows (copies,
// sides, orientation, page ranges) are checked here, so that a script's mistake is caught before
// any page loads instead of once a page; any other option goes to the printer as it stands, and
// the printer judges it. Returns the option, or why the text is not one.
std::variant<JobOption, QString> parseJobOption(const QString &text);

// Whether an "orientation-requested" value turns the page on its side: 4 and 5 are the two
// landscapes, 3 and 6 the two portraits.
bool isLandscapeOrientation(const QString &orientationRequested);
