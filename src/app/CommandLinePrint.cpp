#include "app/CommandLinePrint.h"

#include "app/CommandLineList.h"
#include "app/CommandLineTarget.h"
#include "app/NetrcLogins.h"
#include "app/PageReport.h"
#include "app/ProgramOptions.h"
#include "browser/BrowserPool.h"
#include "browser/BrowserProfile.h"
#include "browser/ElementWait.h"
#include "destinations/JoinedPdfDestination.h"
#include "run/PrintRun.h"
#include "run/RunEvents.h"
#include "runtime/Clock.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShownText.h"
#include "runtime/TerminationSignals.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include <unistd.h>

namespace {
constexpr int kCannotStart = 2;

void printLine(std::FILE *stream, const QString &line)
{
    std::fputs((withControlsEscaped(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Writes the pages of a run to --pdf's file, saying so; gives why it was not written, or nothing.
// A run that was stopped writes nothing, and one that has no page to write has nothing to write.
QString writeJoinedFile(JoinedPdfDestination &file, std::FILE *err)
{
    const QString name = file.file();
    if (programEnding()) {
        printLine(err, QStringLiteral("Stopped: \"%1\" was not written.").arg(name));
        return QStringLiteral("the run was stopped before \"%1\" was written").arg(name);
    }
    if (file.pageCount() == 0) {
        printLine(err, QStringLiteral("No page to save: \"%1\" was not written.").arg(name));
        return {};
    }
    try {
        file.write();
    } catch (const RuntimeError &error) {
        printLine(err, error.description());
        return error.description();
    }
    printLine(err, QStringLiteral("Wrote %1 pages to \"%2\".").arg(file.pageCount()).arg(name));
    return {};
}

// A page kept for a file is saved once the file is written, and not at all when it could not be.
void settleKeptPage(PageReport &report, const QString &notWritten)
{
    if (report.outcome != PageReport::Outcome::Kept)
        return;
    if (notWritten.isEmpty()) {
        report.outcome = PageReport::Outcome::Printed;
        return;
    }
    report.outcome = PageReport::Outcome::Failed;
    report.printError = notWritten;
    report.file.clear();
}

// A run without a window shows no message: each page's report says what went wrong.
class NoDialogs : public Dialogs
{
public:
    void message(const QString &, const QString &, Icon) override {}
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const OpenFileRequest &) override { return {}; }
    QString chooseFolder(const FolderRequest &) override { return {}; }
    std::optional<LoginAnswer> login(const LoginRequest &) override { return std::nullopt; }
};
} // namespace

int runCommandLinePrint(const CommandLinePrintOptions &options, const CommandLineServices &services)
{
    int signalStatus = 0;
    const TerminationSignals terminationSignals([&](int signalNumber) {
        signalStatus = 128 + signalNumber;
        beginProgramEnd();
    });

    const CommandLineList list = readCommandLineList(options);
    if (!list.problem.isEmpty()) {
        printLine(services.err, list.problem);
        return signalStatus != 0 ? signalStatus : kCannotStart;
    }
    const QStringList &addresses = list.addresses;
    PrinterSystem &printers = services.printers;
    std::optional<CommandLineTarget> target;
    try {
        target = commandLineTarget(options, printers);
    } catch (const RuntimeError &error) {
        printLine(services.err, error.description());
        return kCannotStart;
    }
    if (!target->madeFolder.isEmpty())
        printLine(services.err, QStringLiteral("Made the folder \"%1\".").arg(target->madeFolder));

    // Made before the browsers, and so gone only after them.
    const BrowserProfile profile(options.privateProfile ? BrowserProfile::Kind::Private : BrowserProfile::Kind::Kept);
    // A page's bound covers its load and, as long again, its rendering.
    const std::chrono::nanoseconds pageTimeLimit(qRound64(options.timeoutSeconds * 1e9));
    NetrcLogins logins(std::chrono::ceil<std::chrono::milliseconds>(pageTimeLimit),
                       [&](const QString &warning) { printLine(services.err, warning); });
    BrowserPool browsers(&profile.profile(), &logins, nullptr);
    RunEvents events;
    std::optional<PrintRun> run;
    try {
        run.emplace(printers, browsers, events, RunPages(addresses), target->target,
                    RunOptions{options.pageSetup, pageTimeLimit, options.skipFailed});
        checkPaperOfRun(options, printers, run->sheetPrinter());
    } catch (const RuntimeError &error) {
        printLine(services.err, error.description());
        return kCannotStart;
    }

    // A selector the browser can't read would fail every page alike: it is a bad command line. The
    // browser itself is asked, not a reader of CSS of our own, which would lag behind what it reads.
    // Should the browser not say in time, each page's report tells.
    const WaitRules &rules = options.pageSetup.waitRules;
    for (const auto &[selector, option] : {std::pair(rules.waitFor, QStringLiteral("--wait-for")),
                                           std::pair(rules.onlyElement, QStringLiteral("--only"))}) {
        if (!selector.isEmpty() && browserReadsSelector(selector) == false) {
            printLine(
                services.err,
                QStringLiteral("The selector \"%1\" after %2 is not one the browser can read.").arg(selector, option));
            return kCannotStart;
        }
    }

    NoDialogs noDialogs;
    JoinedPdfDestination *joinedFile = run->joinedFile();
    const int count = static_cast<int>(addresses.size());
    // What became of each page is known once it is handed over, but for a page kept for --pdf's
    // file: that is known once the file is written.
    QList<PageReport> reports;
    for (int row = 1; row <= count && !programEnding(); ++row) {
        if (row > 1)
            services.clock.waitSeconds(options.pauseSeconds);
        if (programEnding())
            break;
        const PageReport report = run->printRow(row, count, row == 1, services.clock, noDialogs);
        printLine(services.err, progressLine(report, row, count));
        if (options.json && !joinedFile)
            printLine(services.out, jsonLine(report));
        reports.append(report);
    }
    // A page rendered ahead may still wait for its print, the run cut short: it is let go of, or
    // set aside, before the program ends.
    run->letGoOfPages();
    if (joinedFile) {
        const QString notWritten = writeJoinedFile(*joinedFile, services.err);
        for (PageReport &report : reports) {
            settleKeptPage(report, notWritten);
            if (options.json)
                printLine(services.out, jsonLine(report));
        }
    }
    RunSummary summary(target->target.savesFiles() ? QStringLiteral("Saved") : QStringLiteral("Printed"));
    for (const PageReport &report : reports)
        summary.add(report);
    printLine(services.err, summary.line());
    const int status = signalStatus != 0 ? signalStatus : summary.exitStatus();
    // A page whose renderer never answered its print is still in the browser, which would not
    // survive being torn down around it: the program ends here, its report complete.
    if (quickExitRequired()) {
        std::fflush(nullptr);
        ::_exit(status);
    }
    return status;
}
