#pragma once

#include <QString>

// The embedded browser engine with nothing of the program's around it: one view loads each page of
// the list in turn, prints it to PDF with the engine's own call as soon as it has loaded, and lp
// hands the file to the queue. What it spends a page is the least any program built on this engine
// can spend; the bench runs it as a contender in a child process (this executable with
// --engine-alone), so that the program's own rows can be read against it.
inline constexpr const char *kEngineAloneOption = "--engine-alone";

int runEngineAlone(int argc, char *argv[], const QString &queue, const QString &listFile);
