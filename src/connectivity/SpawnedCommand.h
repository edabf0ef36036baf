#pragma once

#include <QStringList>

#include <sys/types.h>

// One command started for an output capture: in a process group of its own, with no standard
// input, and with the chosen output streams leading into one pipe that only this program reads.
// Destroying it ends whatever is left of that group and reaps the command, so nothing the command
// started outlives the capture and no zombie stays behind.
class SpawnedCommand
{
public:
    enum class Streams {
        Output, // standard output; standard error goes nowhere
        Error,  // standard error; standard output goes nowhere
        Merged, // both into the same pipe, so their bytes arrive in the order they were written
    };
    enum class Start { Started, NoPipe, NotStarted };

    // words[0] is the program, looked up on PATH unless it holds a slash; the rest are its
    // arguments, passed as they are.
    SpawnedCommand(const QStringList &words, Streams streams);
    ~SpawnedCommand();
    SpawnedCommand(const SpawnedCommand &) = delete;
    SpawnedCommand &operator=(const SpawnedCommand &) = delete;

    Start start() const { return m_start; }

    // The pipe's read end (non-blocking), readable when output or its end is there.
    int outputDescriptor() const { return m_output; }
    // Readable once the command has exited; -1 when the system cannot tell, and then only
    // hasExited() knows.
    int exitDescriptor() const { return m_exitNotice; }

    // Reads at most size bytes: the number read, 0 at the end of the output, -1 when nothing is
    // there yet.
    qint64 readOutput(char *buffer, qint64 size);
    // Whether the command itself has ended; it stays unreaped until destruction.
    bool hasExited() const;

private:
    Start m_start = Start::NotStarted;
    pid_t m_pid = -1;
    int m_output = -1;
    int m_exitNotice = -1;
};
