#pragma once

#include <sys/types.h>

// What a process and all its descendants use, read from /proc. The processor time includes the
// descendants that have already ended, once their parents have collected them.
struct ProcessTreeUsage
{
    double cpuSeconds = 0;
    double residentMegabytes = 0;
};

ProcessTreeUsage processTreeUsage(pid_t root);
