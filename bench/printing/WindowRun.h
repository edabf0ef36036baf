#pragma once

#include <QString>

// The window's print run as this benchmark sees it from outside: the program in a child process
// (this executable with --window-run) prints one line of figures on its standard output.
struct WindowRunFigures
{
    bool done = false; // the run ended with its "Done." message and no other
    QString messages;
    double seconds = 0;
    double cpuSeconds = 0;
    // Summed over the pages: loading until ready, readying for print (lazy content, wait rules),
    // rendering to PDF, handing over to CUPS.
    double loadSeconds = 0;
    double finishSeconds = 0;
    double renderSeconds = 0;
    double handOverSeconds = 0;
};

inline constexpr const char *kWindowRunOption = "--window-run";

// The child's side: the real window, browser and printer routines print the list on the queue;
// only the message boxes answer themselves, and the start-up's ping and home-page draw are
// stand-ins. Times from the click on "Start" to the "Done." message.
int runWindow(int argc, char *argv[], const QString &queue, const QString &listFile);

// The parent's side: reads what the child printed.
WindowRunFigures readWindowRun(const QByteArray &output);
