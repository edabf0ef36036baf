#include "Measure.h"

#include "printing/PrintedJobs.h"
#include "support/ProcessTree.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>

#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {
constexpr int kContenderTimeLimitMs = 30 * 60 * 1000;

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The machine's steal time so far, summed over its cores: the eighth figure of /proc/stat's first
// line, in clock ticks.
double stolenCoreSeconds()
{
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> figures = stat.readLine().simplified().split(' ');
    constexpr int kStealField = 8;
    if (figures.size() <= kStealField || figures[0] != "cpu")
        return 0;
    return figures[kStealField].toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
}

int queueJobs(const QString &queue, int which)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, which);
    cupsFreeJobs(count, jobs);
    return count;
}

// The ids of the queue's jobs, oldest first.
QList<int> jobIds(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<int> ids;
    for (int i = 0; i < count; ++i)
        ids << jobs[i].id;
    cupsFreeJobs(count, jobs);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// The pictures drawn by the documents of the queue's jobs after the job afterId.
int picturesSince(const QString &queue, int afterId)
{
    int pictures = 0;
    for (const int id : jobIds(queue))
        if (id > afterId)
            pictures += pictureCount(id);
    return pictures;
}

// Orphans of a contender are collected here; collecting them adds their processor time to this
// process's children's, so a contender's time is complete once all of its processes have ended
// and been collected.
void collectLeftOverProcesses()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60'000) {
        const pid_t ended = waitpid(-1, nullptr, WNOHANG);
        if (ended < 0)
            return; // none left
        if (ended == 0)
            usleep(50'000);
    }
}

// The print server's filters work on after a job is accepted.
void waitUntilJobsAreDone(const QString &queue)
{
    QElapsedTimer clock;
    clock.start();
    while (queueJobs(queue, CUPS_WHICHJOBS_ACTIVE) > 0 && clock.elapsed() < 300'000)
        usleep(200'000);
}

// The next contender starts on a quiet machine.
void waitUntilQueueIsIdle(const QString &queue)
{
    waitUntilJobsAreDone(queue);
    // The server lists no more than 500 jobs of a queue, the oldest: past them a contender's jobs
    // would not be seen. Each contender starts on a queue with no history.
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), CUPS_JOBID_ALL, 1);
}

// The private print server records its process next to its socket. It runs a job's filters as its
// own children, and collects them, so its process tree's time includes theirs.
pid_t printServerProcess()
{
    QFile pidFile(printServerFolder() + QStringLiteral("/cupsd.pid"));
    if (!pidFile.open(QIODevice::ReadOnly))
        return 0;
    bool isNumber = false;
    const int pid = pidFile.readAll().trimmed().toInt(&isNumber);
    return isNumber && processRuns(pid) ? pid : 0;
}

double printServerCpuSeconds(pid_t server)
{
    return server > 0 ? processTreeUsage(server).cpuSeconds : -1;
}
} // namespace

void adoptOrphans()
{
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

Figures measure(const QString &name, const QString &program, const QStringList &arguments, const QString &queue,
                const QProcessEnvironment &environment, QByteArray *output)
{
    waitUntilQueueIsIdle(queue);
    Figures figures;
    figures.name = name;
    const int jobsBefore = queueJobs(queue, CUPS_WHICHJOBS_ALL);
    const QList<int> idsBefore = jobIds(queue);
    const int lastJobBefore = idsBefore.isEmpty() ? 0 : idsBefore.last();
    const double cpuBefore = childrenCpuSeconds();
    const pid_t printServer = printServerProcess();
    const double serverCpuBefore = printServerCpuSeconds(printServer);
    // Every contender starts as a new user's first run does, with no browser cache: a contender
    // must not take the pages from a cache that the one before it filled. The program keeps its
    // browser profile, with its cache, in the data folder.
    const QTemporaryDir dataHome;
    QProcessEnvironment ownEnvironment = environment;
    ownEnvironment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    ownEnvironment.insert(QStringLiteral("XDG_CACHE_HOME"), dataHome.filePath(QStringLiteral("cache")));
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setProcessEnvironment(ownEnvironment);
    const double stolenBefore = stolenCoreSeconds();
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        figures.note = QStringLiteral("did not start");
        return figures;
    }
    const auto pid = static_cast<pid_t>(process.processId());
    while (!process.waitForFinished(kMemorySampleIntervalMs) && clock.elapsed() < kContenderTimeLimitMs)
        figures.peakMegabytes = std::max(figures.peakMegabytes, processTreeUsage(pid).residentMegabytes);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        figures.note = QStringLiteral("stopped after the time limit");
    }
    figures.wallSeconds = static_cast<double>(clock.elapsed()) / 1000.0;
    figures.stolenCoreSeconds = stolenCoreSeconds() - stolenBefore;
    const double serverCpuAtEnd = printServerCpuSeconds(printServer);
    figures.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    collectLeftOverProcesses();
    figures.cpuSeconds = childrenCpuSeconds() - cpuBefore;
    figures.jobs = queueJobs(queue, CUPS_WHICHJOBS_ALL) - jobsBefore;
    figures.pictures = picturesSince(queue, lastJobBefore);
    waitUntilJobsAreDone(queue);
    if (serverCpuBefore >= 0) {
        figures.printServerCpuSecondsDuringRun = serverCpuAtEnd - serverCpuBefore;
        figures.printServerCpuSecondsForJobs = printServerCpuSeconds(printServer) - serverCpuBefore;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return figures;
}
