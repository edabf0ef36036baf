// The print run's speed against the obvious alternative, a shell loop of a headless browser
// printing each page to PDF and lp handing it to the queue. Both print the same 20 local pages
// to the same queue of the private print server; pause empty. Run through bench/printing/run.

#include "BenchPages.h"
#include "support/ProcessTree.h"

#include "gui/Form1.h"
#include "runtime/StartupEnvironment.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "urllist/UrlListModel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {
constexpr int kPages = 20;
constexpr int kSampleIntervalMs = 50;
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

int queueJobs(const QString &queue, int which)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, which);
    cupsFreeJobs(count, jobs);
    return count;
}

// A contender's processes that outlive their parents are handed to this process (a subreaper);
// collecting them adds their processor time to this process's children's, so a contender's time
// is complete once all of its processes have ended and been collected.
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

// The print server's filters work on after a job is accepted; the next contender starts on a quiet
// machine.
void waitUntilQueueIsIdle(const QString &queue)
{
    QElapsedTimer clock;
    clock.start();
    while (queueJobs(queue, CUPS_WHICHJOBS_ACTIVE) > 0 && clock.elapsed() < 300'000)
        usleep(200'000);
}

struct Figures
{
    QString name;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
    int jobs = 0;
    QString note;
};

// Runs the command to its end, sampling the memory of its whole process tree.
Figures measure(const QString &name, const QString &program, const QStringList &arguments, const QString &queue,
                QByteArray *output = nullptr)
{
    waitUntilQueueIsIdle(queue);
    Figures figures;
    figures.name = name;
    const int jobsBefore = queueJobs(queue, CUPS_WHICHJOBS_ALL);
    const double cpuBefore = childrenCpuSeconds();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        figures.note = QStringLiteral("did not start");
        return figures;
    }
    const auto pid = static_cast<pid_t>(process.processId());
    while (!process.waitForFinished(kSampleIntervalMs) && clock.elapsed() < kContenderTimeLimitMs)
        figures.peakMegabytes = std::max(figures.peakMegabytes, processTreeUsage(pid).residentMegabytes);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        figures.note = QStringLiteral("stopped after the time limit");
    }
    figures.wallSeconds = static_cast<double>(clock.elapsed()) / 1000.0;
    collectLeftOverProcesses();
    figures.cpuSeconds = childrenCpuSeconds() - cpuBefore;
    figures.jobs = queueJobs(queue, CUPS_WHICHJOBS_ALL) - jobsBefore;
    if (output)
        *output = process.readAllStandardOutput();
    return figures;
}

void report(const Figures &figures, double runSeconds, double runCpuSeconds)
{
    std::printf("%-44s %8.1f %10.3f %10.0f %6d  %s\n", qPrintable(figures.name), kPages / runSeconds * 60.0,
                runCpuSeconds / kPages, figures.peakMegabytes, figures.jobs, qPrintable(figures.note));
}

// The program itself: the real window, browser and printer routines; only the message boxes
// answer themselves, and the start-up's ping and home-page draw are stand-ins.
int runProgram(int argc, char *argv[], const QString &queue, const QString &listFile)
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    const FakePing ping{QLatin1String(kPingReply)};
    FakeDialogs dialogs;
    FixedDraw draw(50);
    RecordingOpener opener;
    Form1 form(quietServices(dialogs, draw, opener));
    form.show();
    form.Combo1->setCurrentIndex(form.Combo1->findText(queue));
    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly) || form.Combo1->currentText() != queue)
        return 1;
    for (const QByteArray &line : list.readAll().split('\n'))
        if (!line.isEmpty())
            form.urlList()->append(QString::fromUtf8(line));
    QCoreApplication::processEvents();

    const ProcessTreeUsage before = processTreeUsage(getpid());
    QElapsedTimer clock;
    clock.start();
    form.PushButton2_Click();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const ProcessTreeUsage after = processTreeUsage(getpid());
    std::printf("%f %f %s\n", seconds, after.cpuSeconds - before.cpuSeconds,
                qPrintable(dialogs.messageTexts().join(QLatin1Char('|'))));
    return 0;
}

int compare(int argc, char *argv[])
{
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    QApplication app(argc, argv);
    const QString queue = qEnvironmentVariable("BENCH_QUEUE", QStringLiteral("Test-Alpha"));
    if (!qEnvironmentVariable("CUPS_SERVER").endsWith(QLatin1String("/cups.sock"))) {
        std::fprintf(stderr, "Run through bench/printing/run: it starts the private print server.\n");
        return 2;
    }
    QTemporaryDir folder;
    const QStringList pages = writeBenchPages(folder.path(), kPages);
    const QString listFile = folder.filePath(QStringLiteral("list.txt"));
    QFile list(listFile);
    if (!list.open(QIODevice::WriteOnly))
        return 2;
    list.write(pages.join(QLatin1Char('\n')).toUtf8() + '\n');
    list.close();

    std::printf("%d pages of about %lld KB (HTML, style sheet, two pictures each) to queue %s, pause empty\n\n", kPages,
                QFileInfo(pages.first()).size() / 1024 + 1, qPrintable(queue));
    std::printf("%-44s %8s %10s %10s %6s\n", "", "pages/min", "CPU s/page", "peak MB", "jobs");

    QByteArray output;
    const Figures program =
        measure(QStringLiteral("Quillbrae, print run (start to Done.)"), QCoreApplication::applicationFilePath(),
                {QStringLiteral("--program"), queue, listFile}, queue, &output);
    const QList<QByteArray> run = output.trimmed().split(' ');
    if (run.size() >= 3 && run[2] == "Done.") {
        report(program, run[0].toDouble(), run[1].toDouble());
        Figures whole = program;
        whole.name = QStringLiteral("Quillbrae, whole process incl. start-up");
        report(whole, program.wallSeconds, program.cpuSeconds);
    } else {
        std::printf("Quillbrae's run did not end with Done. alone: %s\n", output.constData());
    }

    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty()) {
        std::printf("chromium is not installed: no comparison\n");
        return 0;
    }
    const QString loop = QStringLiteral(
        R"sh(queue="$1"; out="$2"; shift 2
for page in "$@"; do
  chromium --headless --no-sandbox --disable-gpu --user-data-dir="$out/profile" \
    --print-to-pdf="$out/page.pdf" "file://$page" >/dev/null 2>&1
  lp -d "$queue" -t "$(basename "$page")" "$out/page.pdf" >/dev/null
done)sh");
    QStringList arguments{QStringLiteral("-c"), loop, QStringLiteral("bench"), queue, folder.path()};
    arguments << pages;
    const Figures alternative = measure(QStringLiteral("chromium --headless --print-to-pdf + lp loop"),
                                        QStringLiteral("bash"), arguments, queue);
    report(alternative, alternative.wallSeconds, alternative.cpuSeconds);
    std::printf("\nPeak memory is the sum of the resident sizes of every process of the contender, sampled every %d "
                "ms.\n",
                kSampleIntervalMs);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "--program")
        return runProgram(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    return compare(argc, argv);
}
