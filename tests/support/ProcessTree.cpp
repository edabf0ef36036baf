#include "support/ProcessTree.h"

#include "runtime/EventSleep.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

#include <unistd.h>

#include <algorithm>

namespace {
struct ProcessStat
{
    pid_t parent = 0;
    char state = 0;
    double cpuSeconds = 0;
    double residentMegabytes = 0;
};

bool readStat(pid_t pid, ProcessStat &stat)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = file.readAll();
    // The command name may hold blanks and brackets; the fields start after its last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 22)
        return false;
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double pageMegabytes = static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
    // Counted from field 3 (state): ppid is 4, utime 14, stime 15, cutime 16, cstime 17, rss 24.
    stat.state = fields[0].isEmpty() ? char(0) : fields[0].at(0);
    stat.parent = static_cast<pid_t>(fields[1].toLong());
    stat.cpuSeconds =
        (fields[11].toDouble() + fields[12].toDouble() + fields[13].toDouble() + fields[14].toDouble()) / ticks;
    stat.residentMegabytes = fields[21].toDouble() * pageMegabytes;
    return true;
}

QHash<pid_t, ProcessStat> allProcesses()
{
    QHash<pid_t, ProcessStat> processes;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isNumber = false;
        const pid_t pid = static_cast<pid_t>(entry.toLong(&isNumber));
        ProcessStat stat;
        if (isNumber && readStat(pid, stat))
            processes.insert(pid, stat);
    }
    return processes;
}

bool descendsFrom(const QHash<pid_t, ProcessStat> &processes, pid_t pid, pid_t root)
{
    for (int depth = 0; pid > 1 && depth < 64; ++depth) {
        if (pid == root)
            return true;
        pid = processes.value(pid).parent;
    }
    return false;
}
} // namespace

ProcessTreeUsage processTreeUsage(pid_t root)
{
    const QHash<pid_t, ProcessStat> processes = allProcesses();
    ProcessTreeUsage usage;
    for (auto it = processes.constBegin(); it != processes.constEnd(); ++it)
        if (descendsFrom(processes, it.key(), root)) {
            usage.cpuSeconds += it->cpuSeconds;
            usage.residentMegabytes += it->residentMegabytes;
        }
    return usage;
}

ProcessTreeUsage processUsage(pid_t pid)
{
    ProcessStat stat;
    if (!readStat(pid, stat))
        return {};
    return {stat.cpuSeconds, stat.residentMegabytes};
}

QList<pid_t> descendantProcesses(pid_t root)
{
    const QHash<pid_t, ProcessStat> processes = allProcesses();
    QList<pid_t> found;
    for (auto it = processes.constBegin(); it != processes.constEnd(); ++it)
        if (it.key() != root && descendsFrom(processes, it.key(), root))
            found.append(it.key());
    return found;
}

bool processRuns(pid_t pid)
{
    ProcessStat stat;
    return readStat(pid, stat) && stat.state != 'Z';
}

bool processesEnd(const QList<pid_t> &pids, QDeadlineTimer deadline)
{
    return sleepUntil([&] { return std::none_of(pids.begin(), pids.end(), processRuns); }, deadline);
}
