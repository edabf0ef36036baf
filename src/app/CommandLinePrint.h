#pragma once

#include <cstdio>

struct CommandLinePrintOptions;
class Clock;
class PrinterSystem;

// What a run from the command line reaches the world through: the program hands in the real
// ones, a test its own.
struct CommandLineServices
{
    PrinterSystem &printers;
    Clock &clock;   // for the pause between pages and the bounds on each page
    std::FILE *out; // the JSON lines
    std::FILE *err; // the report lines and every message
};

// Prints the list the options name without a window: each address is loaded, waited for and
// handed straight to the chosen printer (the user's default printer is never changed), with one
// report line per page on the error stream, and one JSON line per page on the output stream when
// asked for. Gives the exit status: 0 when every page printed after a good load, 1 when any page
// failed, was skipped or refused, 2 for a list that cannot be read or a printer the server does
// not know, 128 plus the signal's number when SIGINT, SIGTERM or SIGHUP stopped it.
int runCommandLinePrint(const CommandLinePrintOptions &options, const CommandLineServices &services);
