#pragma once

#include <QDeadlineTimer>
#include <QList>

#include <sys/types.h>

// What a process and all its descendants use, read from /proc. The processor time includes the
// descendants that have already ended, once their parents have collected them.
struct ProcessTreeUsage
{
    double cpuSeconds = 0;
    double residentMegabytes = 0;
};

ProcessTreeUsage processTreeUsage(pid_t root);
// The same for the one process alone; nothing once it has gone.
ProcessTreeUsage processUsage(pid_t pid);

// The processes below root, not root itself, as /proc shows them now.
QList<pid_t> descendantProcesses(pid_t root);

// Whether the process still runs (an ended one that nobody has collected yet does not).
bool processRuns(pid_t pid);

// Whether every one of the processes has ended by the deadline, events running meanwhile. A
// program's helper processes end once they see it gone, a moment after it on a busy machine.
bool processesEnd(const QList<pid_t> &pids, QDeadlineTimer deadline);
