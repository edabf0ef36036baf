#pragma once

#include "Measure.h"

#include <QList>
#include <QString>

// A contender's line in a page set's table.
struct Row
{
    QString name;
    bool measured = false;
    double pagesPerMinute = 0;
    double cpuSecondsPerPage = 0;
    double peakMegabytes = 0;
    int jobs = 0;
    int pictures = 0;
    QString note;
    // How many of the machine's cores the print server kept busy while the contender ran, and its
    // processor time a page for the contender's jobs; negative when not known.
    double printServerCores = -1;
    double printServerCpuSecondsPerPage = -1;
};

// The figures over the given time and processor time, which may be a part of the whole process's.
Row measuredRow(const Figures &figures, int pages, double seconds, double cpuSeconds);
// The figures of the whole process; a failed exit is noted.
Row wholeProcessRow(const Figures &figures, int pages);
Row skippedRow(const QString &name, const QString &note);

// A row that every row is compared with, and the heading of its ratio columns.
struct Reference
{
    QString heading;
    Row row;
};

// The set's description, then a line per row: its figures and, for each reference, its speed, CPU
// per page and peak memory as multiples of the reference's.
void printTable(const QString &description, const QList<Row> &rows, const QList<Reference> &references);
