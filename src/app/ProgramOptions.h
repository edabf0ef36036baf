#pragma once

#include "run/PagePrinter.h"
#include "run/PageSetup.h"

#include <QStringList>

#include <optional>

// A print run asked for on the command line: no window, the pages straight to the printer, or saved
// as PDF files instead.
struct CommandLinePrintOptions
{
    QString listFile;  // a path, an http:, https: or file: address, or "-" for standard input
    QString printer;   // empty: the user's current default printer
    QString pdfFolder; // set: each page a PDF file in this folder, and no printer
    QString pdfFile;   // set: all the pages in this one PDF file, and no printer
    double pauseSeconds = 0;
    double timeoutSeconds = std::chrono::duration<double>(kReadinessTimeLimit).count();
    bool skipFailed = false;
    bool json = false;
    // Pages load in a profile that keeps nothing and sees nothing kept: no cookie, storage or cache
    // of earlier runs or of the window's logins, and nothing left for later ones.
    bool privateProfile = false;
    // The page setup saved in the window, with what the command line changes of it.
    PageSetup pageSetup;
    // Whether the command line named the paper, which the printer must then know.
    bool paperAsked = false;

    // An HTML page given as the list gives the pages it links to; only those on its own host with
    // sameSite.
    bool links = false;
    bool sameSite = false;
    // Set: only the list's first this many pages print, and a sitemap, feed or page may list more
    // than 100.
    std::optional<int> maxPages;

    bool savesFiles() const { return !pdfFolder.isEmpty() || !pdfFile.isEmpty(); }
};

// What the command line asks of the program.
struct ProgramOptions
{
    // Set when the program is to end at once with this status instead of opening its window: the
    // help or the version has been printed, or the command line was wrong and the usage printed.
    std::optional<int> exitStatus;
    // Set for a print run from the command line instead of the window.
    std::optional<CommandLinePrintOptions> print;
};

// Reads the command line (the first word is the program). Prints the help and the version on
// standard output, a usage error and the usage on standard error. Needs an application object
// for the program's name and version, but no display.
ProgramOptions parseProgramOptions(const QStringList &arguments);

// The same for main's arguments, before the program's application object exists: the command line
// is read under a short-lived core application, so that --help and --version work without a
// display.
ProgramOptions readProgramOptions(int &argc, char **argv);
