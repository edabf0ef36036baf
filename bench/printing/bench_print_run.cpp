// The print run's speed against what people use today to print many web pages: a shell loop of a
// headless browser printing each page to PDF and lp handing it to the queue, and one headless
// Chromium kept for the whole list, driven by a script, with one page in flight or two, or
// scrolling each page through first; and beside them the embedded engine alone, loading and
// printing each page with nothing of the program's, which is the least the program can spend.
// Every contender prints the same four sets of pages from local web servers, the last two from one
// that answers as slowly as a distant one, to the same queue of the private print server; pause
// empty. The last set's pictures load only in view, and the table counts those that reached the
// paper. Run through bench/printing/run, which starts the servers.

#include "EngineAlone.h"
#include "Measure.h"
#include "PageSets.h"
#include "ResultTable.h"
#include "WindowRun.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {
struct Contenders
{
    QString queue;
    QString quillbrae;  // the program's executable
    QString chromium;   // empty when not installed
    QString node;       // empty when not installed
    QString nodeScript; // the persistent Chromium's script
    QString scratch;    // a folder for the browsers' files
};

// The window's run, timed from the click to "Done.", and the same process as a whole.
QList<Row> windowRows(const Contenders &contenders, const PageSet &set, WindowRunFigures &run)
{
    QByteArray output;
    const Figures figures =
        measure(QStringLiteral("Quillbrae window, whole process"), QCoreApplication::applicationFilePath(),
                {QLatin1String(kWindowRunOption), contenders.queue, set.listFile}, contenders.queue,
                QProcessEnvironment::systemEnvironment(), &output);
    run = readWindowRun(output);
    const QString runName = QStringLiteral("Quillbrae window, print run (start to Done.)");
    if (!run.done)
        return {skippedRow(runName, QStringLiteral("did not end with Done. alone: ") + run.messages)};
    Figures runOnly = figures;
    runOnly.name = runName;
    return {measuredRow(runOnly, set.pages, run.seconds, run.cpuSeconds), wholeProcessRow(figures, set.pages)};
}

// A build without the command-line run offers no --print in its help.
bool offersCommandLineRun(const QString &quillbrae)
{
    QProcess help;
    help.start(quillbrae, {QStringLiteral("--help")});
    return help.waitForFinished() && help.readAllStandardOutput().contains("--print");
}

// The command-line run, with the given options besides the list and the queue.
Row commandLineRow(const Contenders &contenders, const PageSet &set, const QString &name,
                   const QStringList &options = {})
{
    if (!QFileInfo(contenders.quillbrae).isExecutable())
        return skippedRow(name, QStringLiteral("no executable at ") + contenders.quillbrae);
    if (!offersCommandLineRun(contenders.quillbrae))
        return skippedRow(name, QStringLiteral("skipped: this build does not offer --print"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Figures figures = measure(
        name, contenders.quillbrae,
        QStringList{QStringLiteral("--print"), set.listFile, QStringLiteral("--printer"), contenders.queue} + options,
        contenders.queue, environment);
    if (figures.exitCode == 2 && figures.jobs == 0)
        return skippedRow(name, QStringLiteral("refused its command line (exit status 2)"));
    return wholeProcessRow(figures, set.pages);
}

// The engine the program is built on, loading and printing each page and nothing else.
Row engineAloneRow(const Contenders &contenders, const PageSet &set)
{
    const Figures figures =
        measure(QStringLiteral("Qt WebEngine alone: load, printToPdf + lp"), QCoreApplication::applicationFilePath(),
                {QLatin1String(kEngineAloneOption), contenders.queue, set.listFile}, contenders.queue);
    return wholeProcessRow(figures, set.pages);
}

Row chromiumLoopRow(const Contenders &contenders, const PageSet &set)
{
    const QString name = QStringLiteral("chromium --print-to-pdf + lp, shell loop");
    if (contenders.chromium.isEmpty())
        return skippedRow(name, QStringLiteral("chromium is not installed"));
    const QString loop = QStringLiteral(
        R"sh(queue="$1"; out="$2"; list="$3"
while IFS= read -r page; do
  [ -n "$page" ] || continue
  chromium --headless --no-sandbox --disable-gpu --user-data-dir="$out/profile" \
    --print-to-pdf="$out/page.pdf" "$page" >/dev/null 2>&1
  lp -d "$queue" -t "$page" "$out/page.pdf" >/dev/null
done <"$list")sh");
    const Figures figures = measure(
        name, QStringLiteral("bash"),
        {QStringLiteral("-c"), loop, QStringLiteral("bench"), contenders.queue, contenders.scratch, set.listFile},
        contenders.queue);
    return wholeProcessRow(figures, set.pages);
}

// One headless Chromium for the whole list, with pagesInFlight tabs loading pages side by side;
// scrollFirst scrolls each page through before saving it, as people script it for lazy pictures.
Row persistentChromiumRow(const Contenders &contenders, const PageSet &set, int pagesInFlight, bool scrollFirst = false)
{
    QString name =
        pagesInFlight == 1
            ? QStringLiteral("persistent Chromium (puppeteer-core) + lp")
            : QStringLiteral("persistent Chromium, %1 pages in flight (puppeteer-core) + lp").arg(pagesInFlight);
    QStringList options{QStringLiteral("--pages-in-flight"), QString::number(pagesInFlight)};
    if (scrollFirst) {
        name = QStringLiteral("persistent Chromium, scrolled through first + lp");
        options << QStringLiteral("--scroll-first");
    }
    if (contenders.chromium.isEmpty() || contenders.node.isEmpty() || !QFileInfo::exists(contenders.nodeScript))
        return skippedRow(name, QStringLiteral("chromium, node or the script is missing"));
    const Figures figures = measure(
        name, contenders.node,
        QStringList{contenders.nodeScript} + options + QStringList{contenders.queue, set.listFile}, contenders.queue);
    return wholeProcessRow(figures, set.pages);
}

void printPhases(const WindowRunFigures &run, int pages)
{
    if (!run.done)
        return;
    auto phase = [pages](const char *name, double seconds) {
        std::printf("  %-48s %7.2f s  %6.3f s/page\n", name, seconds, seconds / pages);
    };
    // A page loads while the one before it is readied and printed: the phases overlap, and their
    // sum is more than the run's time.
    std::printf("\nWhere the window's run spends its time, summed over the pages (the next page loads while "
                "one prints, so the phases overlap):\n");
    phase("load until ready", run.loadSeconds);
    phase("lazy content and wait rules", run.finishSeconds);
    phase("render to PDF", run.renderSeconds);
    phase("hand-over to CUPS", run.handOverSeconds);
    phase("the whole run, start to Done.", run.seconds);
}

void comparePageSet(const Contenders &contenders, const PageSet &set)
{
    if (set.pages == 0) {
        std::printf("%s\n", qPrintable(set.description));
        return;
    }
    WindowRunFigures run;
    QList<Row> rows = windowRows(contenders, set, run);
    // The same run without header and footer tells what drawing and laying them over the sheets costs;
    // without the scroll through each page, what bringing in its lazy content costs; with the pages
    // as they stand, what clearing them of notices and pinned boxes costs on pages that have none.
    rows << commandLineRow(contenders, set, QStringLiteral("Quillbrae --print, whole process"))
         << commandLineRow(contenders, set, QStringLiteral("Quillbrae --print --no-header-footer"),
                           {QStringLiteral("--no-header-footer")})
         << commandLineRow(contenders, set, QStringLiteral("Quillbrae --print --no-lazy-load"),
                           {QStringLiteral("--no-lazy-load")})
         // Four pages in flight against the default two tell where more of them help: only where
         // the pages' loads wait on a slow server more than on the two cores.
         << commandLineRow(contenders, set, QStringLiteral("Quillbrae --print --pages-in-flight 4"),
                           {QStringLiteral("--pages-in-flight"), QStringLiteral("4")})
         << commandLineRow(contenders, set, QStringLiteral("Quillbrae --print --keep-overlays"),
                           {QStringLiteral("--keep-overlays")})
         << engineAloneRow(contenders, set) << chromiumLoopRow(contenders, set);
    const Row onePage = persistentChromiumRow(contenders, set, 1);
    const Row twoPages = persistentChromiumRow(contenders, set, 2);
    const Row scrolledFirst = persistentChromiumRow(contenders, set, 1, true);
    rows << onePage << twoPages << scrolledFirst;
    // Pages with pictures that load only in view are compared with the Chromium that brings them.
    const Reference second = set.pictures > 0
                                 ? Reference{QStringLiteral("against scrolled through first"), scrolledFirst}
                                 : Reference{QStringLiteral("against 2 pages in flight"), twoPages};
    printTable(set.description, rows, {{QStringLiteral("against 1 page in flight"), onePage}, second});
    printPhases(run, set.pages);
    std::printf("\n\n");
    std::fflush(stdout);
}

int compare(int argc, char *argv[])
{
    adoptOrphans();
    const QCoreApplication app(argc, argv);
    const QString site = qEnvironmentVariable("BENCH_SITE_DIR");
    const QString siteAddress = qEnvironmentVariable("BENCH_SITE_URL");
    // The same site, from a server that waits before every response.
    const QString delayedSiteAddress = qEnvironmentVariable("BENCH_DELAYED_SITE_URL");
    const int responseDelayMs = qEnvironmentVariableIntValue("BENCH_RESPONSE_DELAY_MS");
    if (!qEnvironmentVariable("CUPS_SERVER").endsWith(QLatin1String("/cups.sock")) || site.isEmpty() ||
        siteAddress.isEmpty() || delayedSiteAddress.isEmpty()) {
        std::fprintf(stderr,
                     "Run through bench/printing/run: it starts the private print server and the web servers.\n");
        return 2;
    }
    QTemporaryDir scratch;
    const Contenders contenders{qEnvironmentVariable("BENCH_QUEUE", QStringLiteral("Test-Alpha")),
                                qEnvironmentVariable("BENCH_QUILLBRAE"),
                                QStandardPaths::findExecutable(QStringLiteral("chromium")),
                                QStandardPaths::findExecutable(QStringLiteral("node")),
                                qEnvironmentVariable("BENCH_PERSISTENT_CHROMIUM"),
                                scratch.path()};

    std::printf("Each contender prints every page of a set to queue %s of a private print server, one after "
                "another; pause empty.\nThe pages come over HTTP from web servers on 127.0.0.1.\n\n",
                qPrintable(contenders.queue));
    // BENCH_SETS names the sets to run, such as "manual,lazy", for a quicker look at one change.
    const QStringList chosen = qEnvironmentVariable("BENCH_SETS").split(u',', Qt::SkipEmptyParts);
    auto wanted = [&chosen](const char *name) { return chosen.isEmpty() || chosen.contains(QLatin1String(name)); };
    if (wanted("reports"))
        comparePageSet(contenders, reportPageSet(site, siteAddress));
    if (wanted("manual"))
        comparePageSet(contenders, manualPageSet(site, siteAddress));
    if (wanted("delayed"))
        comparePageSet(contenders, delayedManualPageSet(site, delayedSiteAddress, responseDelayMs));
    if (wanted("lazy"))
        comparePageSet(contenders, lazyPageSet(site, delayedSiteAddress, responseDelayMs));
    std::printf("Every contender starts with an empty browser cache, as a first run does.\n"
                "CPU is that of every process of the contender. Peak memory is the sum of the resident sizes of "
                "every process of the contender, sampled every %d ms.\nThe filters are the print server's, turning the "
                "jobs' documents into the printer's language one job at a time: their CPU per page, from the "
                "contender's start until its last job was done, and the cores they kept busy while it ran.\nPictures "
                "are those the jobs' documents draw, as pdfimages lists them.\nA ratio is the contender's figure "
                "divided by the persistent Chromium's: with 1 page in flight, and with 2 or, for pages whose pictures "
                "load only in view, scrolled through first.\nA row noted \"the host took N core-s\" lost that much "
                "processor time to the host of this virtual machine while it ran (steal time): nothing on the machine "
                "ran meanwhile, and its speed says more of the host than of the contender.\n",
                kMemorySampleIntervalMs);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == kWindowRunOption)
        return runWindow(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && QByteArray(argv[1]) == kEngineAloneOption)
        return runEngineAlone(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    return compare(argc, argv);
}
