#include "app/CommandLinePrint.h"

#include "app/PageReport.h"
#include "app/ProgramOptions.h"
#include "app/StandardStreams.h"
#include "printers/CupsPrinterSystem.h"
#include "printing/BrowserControl.h"
#include "printing/WebBrowserControl.h"
#include "runtime/Clock.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "runtime/TerminationSignals.h"
#include "urllist/ListReader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <optional>

#include <unistd.h>

namespace {
constexpr int kCannotStart = 2;

void printLine(std::FILE *stream, const QString &line)
{
    std::fputs((withControlsEscaped(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// The list's addresses; blank rows print nothing, as in the window. Standard input is read whole
// first: the reader looks at all of the text before it decides how to decode it.
QStringList readAddresses(const QString &listFile)
{
    QStringList addresses;
    auto keep = [&](const QString &row) {
        if (!isBlankRow(row))
            addresses.append(row);
        return true;
    };
    if (listFile == QLatin1String("-")) {
        QFile input;
        if (standardInputWasClosed() || !input.open(stdin, QIODevice::ReadOnly))
            throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
        QByteArray text = input.readAll();
        // A read that failed part-way (standard input a folder, say) must not pass for a short list.
        if (input.error() != QFileDevice::NoError)
            throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        readListRows(buffer, keep);
        return addresses;
    }
    QFile file(listFile);
    openListFile(file);
    readListRows(file, keep);
    return addresses;
}

// The printer asked for, as the server names it; the default printer when none was.
QString chosenPrinter(PrinterSystem &printers, const QString &asked)
{
    const QStringList names = printers.printerNames();
    const QString wanted = asked.isEmpty() ? printers.defaultPrinterName() : asked;
    for (const QString &name : names)
        if (sameDestination(name, wanted))
            return name;
    const QString known = names.isEmpty()
                              ? QStringLiteral("The print server knows no printer.")
                              : QStringLiteral("The printers are: %1.").arg(names.join(QStringLiteral(", ")));
    throw RuntimeError(ErrorNumber::PrinterError,
                       QStringLiteral("There is no printer named \"%1\". %2").arg(wanted, known));
}

PageReport printPage(WebBrowserControl &browser, const CommandLinePrintOptions &options, const QString &printer,
                     const QString &address)
{
    PageReport report;
    report.address = address;
    report.printer = printer;
    QElapsedTimer clock;
    clock.start();
    browser.Navigate(address);
    const bool ready = sleepUntil(
        realClock(), [&] { return browser.ReadyState() == BrowserControl::kReadyStateComplete; },
        deadlineAfterSeconds(realClock(), options.timeoutSeconds));
    const WebBrowserControl::LoadOutcome load = browser.loadOutcome();
    if (load.httpStatus > 0)
        report.httpStatus = load.httpStatus;
    // What the browser shows while nothing of this address has come is another address's page.
    const WebBrowserControl::Holding holding = browser.holding();
    if (holding == WebBrowserControl::Holding::Refused)
        report.loadError = QStringLiteral("address refused");
    else if (holding == WebBrowserControl::Holding::Nothing && !programEnding())
        report.loadError = QStringLiteral("no page after %1 seconds").arg(options.timeoutSeconds);
    else if (!ready && !programEnding())
        report.loadError = QStringLiteral("no complete page after %1 seconds").arg(options.timeoutSeconds);
    else if (load.failed)
        report.loadError = load.error;

    if (programEnding()) {
        report.outcome = PageReport::Outcome::Failed;
        report.printError = QStringLiteral("interrupted");
    } else if (!report.loadError.isEmpty() && options.skipFailed) {
        report.outcome = PageReport::Outcome::Skipped;
    } else if (holding != WebBrowserControl::Holding::Page) {
        report.outcome = PageReport::Outcome::Failed;
    } else {
        std::optional<QByteArray> pdf;
        try {
            pdf = browser.renderForPrinting(printer);
        } catch (const RuntimeError &error) {
            report.outcome = PageReport::Outcome::Failed;
            report.printError = programEnding() ? QStringLiteral("interrupted") : error.description();
        }
        if (pdf && programEnding()) {
            report.outcome = PageReport::Outcome::Failed;
            report.printError = QStringLiteral("interrupted");
        } else if (pdf) {
            try {
                report.job = browser.submitRendered(printer, *pdf);
            } catch (const RuntimeError &error) {
                report.outcome = PageReport::Outcome::Refused;
                report.printError = error.description();
            }
        }
    }
    report.seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    return report;
}
} // namespace

int runCommandLinePrint(const CommandLinePrintOptions &options)
{
    int signalStatus = 0;
    const TerminationSignals terminationSignals([&](int signalNumber) {
        signalStatus = 128 + signalNumber;
        beginProgramEnd();
    });

    QStringList addresses;
    try {
        addresses = readAddresses(options.listFile);
    } catch (const RuntimeError &error) {
        printLine(stderr, QStringLiteral("Cannot read the list %1: %2.").arg(options.listFile, error.description()));
        return kCannotStart;
    }
    CupsPrinterSystem printers;
    QString printer;
    try {
        printer = chosenPrinter(printers, options.printer);
    } catch (const RuntimeError &error) {
        printLine(stderr, error.description());
        return kCannotStart;
    }

    WebBrowserControl browser(printers);
    // A browser that is never shown treats its page as hidden and slows it down (about twice as
    // slow a print run); shown but kept off every screen, it works at full speed.
    browser.setAttribute(Qt::WA_DontShowOnScreen);
    browser.resize(1024, 768);
    browser.show();
    browser.setJobPrinter(printer);
    browser.setRenderTimeLimit(std::chrono::milliseconds(qRound64(options.timeoutSeconds * 1000)));
    RunSummary summary;
    for (qsizetype i = 0; i < addresses.size() && !programEnding(); ++i) {
        if (i > 0)
            realClock().waitSeconds(options.pauseSeconds);
        if (programEnding())
            break;
        // The page size and margins come from the printer once, for the whole run.
        if (i == 0)
            browser.ExecWB(BrowserControl::kCommandPageSetup, BrowserControl::kOptionDontPromptUser);
        const PageReport report = printPage(browser, options, printer, addresses.at(i));
        summary.add(report);
        printLine(stderr, progressLine(report, static_cast<int>(i + 1), static_cast<int>(addresses.size())));
        if (options.json)
            printLine(stdout, jsonLine(report));
    }
    printLine(stderr, summary.line());
    const int status = signalStatus != 0 ? signalStatus : summary.exitStatus();
    // A page whose renderer never answered its print is still in the browser, which would not
    // survive being torn down around it: the program ends here, its report complete.
    if (quickExitRequired()) {
        std::fflush(nullptr);
        ::_exit(status);
    }
    return status;
}
