#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class TestHttpServer;

// What the command line's tests share: the pages they print, how a run of the program is read
// back, and what they ask of the sheets it printed.

// The outcome of a run: its status and its two streams.
struct Run
{
    int exitCode = -1;
    QString errors;          // standard error as it came
    QStringList reportLines; // of it, the lines of the report
    QStringList jsonLines;   // standard output
};

// Reads a run's status and streams as they came.
Run runOf(int exitCode, const QString &errors, const QString &output);

// Runs the command line's print of the list with the options in this process, on the private print
// server and the real clock, as the program would.
Run runInProcess(const QString &listFile, const QStringList &options);

// Serves every page the tests print: "/one.html", "/two.html", "/three.html" and the pages each
// test names.
void serveTestPages(TestHttpServer &web);

// A word of a printed sheet and where it sits, in points from the sheet's top left corner.
struct PlacedWord
{
    QString text;
    QRectF box;
};

// The words of one sheet of the job's document, as pdftotext -bbox places them, and the sheet's size.
QList<PlacedWord> sheetWords(int jobId, int sheet, QSizeF *size);
// How dark the job's first sheet is on average, from 0 (white) to 255 (black).
int darkness(int jobId);
// What a tool prints for a file: pdftotext's text of a PDF, say.
QString toolOutput(const QString &tool, const QStringList &arguments);
// Every job the print server has had, on any queue.
int jobsOnEveryQueue();
// A sitemap of the pages.
QByteArray sitemapOf(const QStringList &pages);
// The members of the JSON lines' objects, one a line.
QStringList jsonMembers(const QStringList &lines, const QString &name);
