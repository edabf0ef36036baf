#include "ResultTable.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRatioWidth = 10;
constexpr int kRatioGroupWidth = 3 * kRatioWidth;
// Less than this of the machine's processor time taken by its host leaves a row's figures as they
// would be without it, within the run-to-run scatter.
constexpr double kStolenWorthNoting = 0.1;

QString ratio(double value, double reference)
{
    return reference > 0 ? QString::asprintf("%.2fx", value / reference) : QStringLiteral("-");
}

// Two notes on one row, either of which may be empty.
QString joinedNote(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral("; ") + second;
}

QString knownFigure(double value)
{
    return value >= 0 ? QString::asprintf("%.2f", value) : QStringLiteral("-");
}
} // namespace

Row measuredRow(const Figures &figures, int pages, double seconds, double cpuSeconds)
{
    Row row{figures.name,          true,         pages / seconds * 60.0, cpuSeconds / pages,
            figures.peakMegabytes, figures.jobs, figures.pictures,       figures.note};
    if (figures.stolenCoreSeconds >= kStolenWorthNoting)
        row.note = joinedNote(row.note, QString::asprintf("the host took %.2f core-s", figures.stolenCoreSeconds));
    if (figures.printServerCpuSecondsForJobs >= 0 && figures.wallSeconds > 0) {
        row.printServerCores = figures.printServerCpuSecondsDuringRun / figures.wallSeconds;
        row.printServerCpuSecondsPerPage = figures.printServerCpuSecondsForJobs / pages;
    }
    return row;
}

Row wholeProcessRow(const Figures &figures, int pages)
{
    Row row = measuredRow(figures, pages, figures.wallSeconds, figures.cpuSeconds);
    // A process stopped at the time limit has no exit status of its own to tell.
    if (figures.note.isEmpty() && figures.exitCode != 0)
        row.note = joinedNote(QStringLiteral("exit status %1").arg(figures.exitCode), row.note);
    return row;
}

Row skippedRow(const QString &name, const QString &note)
{
    return {name, false, 0, 0, 0, 0, 0, note};
}

void printTable(const QString &description, const QList<Row> &rows, const QList<Reference> &references)
{
    int nameWidth = 0;
    for (const Row &row : rows)
        nameWidth = std::max(nameWidth, static_cast<int>(row.name.size()));
    auto figureHeadings = [nameWidth](const char *speed, const char *cpu, const char *memory, const char *jobs,
                                      const char *pictures) {
        std::printf("%-*s %9s %10s %8s %5s %8s", nameWidth, "", speed, cpu, memory, jobs, pictures);
    };
    // What the print server's filters spent on the contender's jobs, and took of the machine while
    // it ran: the contenders share the processor with them.
    constexpr int kFiltersWidth = 15;
    // The ratio groups' headings take a line of their own, over the figures' headings.
    std::printf("%s\n\n", qPrintable(description));
    figureHeadings("", "", "", "", "");
    std::printf("%*s%*s", kFiltersWidth, "filters", kFiltersWidth, "filters");
    for (const Reference &reference : references)
        std::printf("   %*s", kRatioGroupWidth, qPrintable(reference.heading));
    std::printf("\n");
    figureHeadings("pages/min", "CPU s/page", "peak MB", "jobs", "pictures");
    std::printf("%*s%*s", kFiltersWidth, "CPU s/page", kFiltersWidth, "cores in run");
    for (int i = 0; i < references.size(); ++i)
        std::printf("   %*s%*s%*s", kRatioWidth, "speed", kRatioWidth, "CPU/page", kRatioWidth, "peak MB");
    std::printf("\n");
    for (const Row &row : rows) {
        if (!row.measured) {
            std::printf("%-*s %s\n", nameWidth, qPrintable(row.name), qPrintable(row.note));
            continue;
        }
        std::printf("%-*s %9.1f %10.3f %8.0f %5d %8d", nameWidth, qPrintable(row.name), row.pagesPerMinute,
                    row.cpuSecondsPerPage, row.peakMegabytes, row.jobs, row.pictures);
        std::printf("%*s%*s", kFiltersWidth, qPrintable(knownFigure(row.printServerCpuSecondsPerPage)), kFiltersWidth,
                    qPrintable(knownFigure(row.printServerCores)));
        for (const Reference &reference : references)
            std::printf("   %*s%*s%*s", kRatioWidth,
                        qPrintable(ratio(row.pagesPerMinute, reference.row.pagesPerMinute)), kRatioWidth,
                        qPrintable(ratio(row.cpuSecondsPerPage, reference.row.cpuSecondsPerPage)), kRatioWidth,
                        qPrintable(ratio(row.peakMegabytes, reference.row.peakMegabytes)));
        std::printf("%s\n", qPrintable(row.note.isEmpty() ? row.note : QStringLiteral("  ") + row.note));
    }
}
