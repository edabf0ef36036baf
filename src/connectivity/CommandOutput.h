#pragma once

#include <QString>

#include <chrono>
#include <optional>

// The text that a failed start gives in place of output.
extern const char *const kFailedToCreateProcess;

// Runs one command hidden, with no standard input, and returns what it wrote to its standard
// output, its standard error, or both merged in the order written (the stream left out is
// discarded). The command line is split into program and arguments as a shell splits words (see
// CommandLineWords.h), but no shell runs it, so nothing in it is interpreted. The program is
// looked up on PATH.
//
// Raises runtime error 5 when neither stream is asked for, before starting anything. Returns
// kFailedToCreateProcess when the program cannot be started (or the line names none), and the
// empty text when no pipe can be made.
//
// The output is read in chunks of at most 1024 bytes, and between reads the capture yields to the
// event loop, sleeping in it while the command is quiet, so the window stays responsive. The text
// is decoded from the locale's encoding (UTF-8) as one stream, so a character split between
// chunks comes out whole; convert asks for the console's encoding, which here is that same one.
//
// The capture ends once the output has ended and the command has exited. When one of those
// happens without the other following within a quarter of a second (the command left something
// running that still holds the pipe, or closed its output and carries on), the capture ends
// anyway. It also ends when timeLimit has passed since the start, and when the program is ending;
// what was read by then is the result. However it ends, the command and everything it started in
// its process group are killed and the command is reaped before the call returns.
QString CaptureCommandOutput(const QString &commandLine, bool captureStdout, bool captureStderr, bool convert,
                             std::optional<std::chrono::milliseconds> timeLimit = std::nullopt);
