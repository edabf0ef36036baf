#pragma once

#include <QString>
#include <QStringList>

struct CommandLinePrintOptions;

// The addresses a run prints, or why it prints none.
struct CommandLineList
{
    QStringList addresses;
    QString problem; // set: the run must not start, and this says why
};

// Reads the list the command line names (a file, an address or standard input, see readListAt)
// into the addresses to print: a text list's rows that aren't blank, or a sitemap's, feed's,
// bookmarks export's or (with --links) page's pages, then the first --max-pages of them. A problem
// stops the run before any page: a list that can't be read whole, a web page without --links, and
// a sitemap, feed or page of more than 100 pages without --max-pages.
CommandLineList readCommandLineList(const CommandLinePrintOptions &options);
