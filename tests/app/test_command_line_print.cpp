#include "PrintServerTools.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "runtime/EventSleep.h"
#include "support/ProcessTree.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <algorithm>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {
const QString kQueue = QStringLiteral("Test-Charlie");
const QString kSystemDefault = QStringLiteral("system default destination: Test-Bravo");

struct Run
{
    int exitCode = -1;
    QStringList reportLines; // standard error
    QStringList jsonLines;   // standard output
};
} // namespace

// The print run from the command line: the real executable in a child process, with no display, on
// the private print server, printing pages this process serves.
class CommandLinePrintTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    QString listFile;

    // Starts the program; the caller waits for it with the process's own event loop running, so that
    // this process's web server answers meanwhile.
    void start(QProcess &program, const QStringList &options)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLBRAE_EXECUTABLE), QStringList{QStringLiteral("--print"), listFile} + options);
    }

    Run run(const QStringList &options)
    {
        QProcess program;
        start(program, options);
        Run result;
        if (!sleepUntil([&] { return program.state() == QProcess::NotRunning; }, QDeadlineTimer(120'000)))
            return result;
        result.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
        for (const QString &line : QString::fromUtf8(program.readAllStandardError()).split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1Char('[')) || line.startsWith(QLatin1String("Printed")) ||
                line.startsWith(QLatin1String("There is")))
                result.reportLines << line;
        result.jsonLines =
            QString::fromUtf8(program.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return result;
    }

    void writeList(const QStringList &addresses)
    {
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((addresses.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

    QStringList goodPages() const
    {
        return {web.url(u"/one.html"_s), web.url(u"/two.html"_s), web.url(u"/three.html"_s)};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        for (const QString &name : {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")})
            web.serveHtml(QStringLiteral("/%1.html").arg(name), QStringLiteral("Page %1").arg(name),
                          QStringLiteral("Text of page %1").arg(name));
        listFile = testHome() + QStringLiteral("/list.txt");
    }

    // Three good pages, a page that is not there, a host that does not exist and a blank line.
    void eachPageIsReportedAndFailedLoadsCount_data()
    {
        QTest::addColumn<bool>("skipFailed");
        QTest::newRow("failed loads printed as they stand") << false;
        QTest::newRow("failed loads skipped") << true;
    }

    void eachPageIsReportedAndFailedLoadsCount()
    {
        QFETCH(bool, skipFailed);
        writeList({goodPages()[0], web.url(u"/missing.html"_s), QString(), QStringLiteral("http://nowhere.invalid/"),
                   goodPages()[1], goodPages()[2]});
        const int before = jobCount(kQueue);
        QStringList options{QStringLiteral("--printer"), kQueue.toLower(), QStringLiteral("--json")};
        if (skipFailed)
            options << QStringLiteral("--skip-failed");
        const Run result = run(options);

        QCOMPARE(result.exitCode, 1);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), skipFailed ? 3 : 5);
        QCOMPARE(result.reportLines.size(), 6);
        QVERIFY2(result.reportLines[1].startsWith(
                     QStringLiteral("[2/5] %1 load failed: HTTP 404; ").arg(web.url(u"/missing.html"_s))),
                 qPrintable(result.reportLines[1]));
        QVERIFY2(result.reportLines[2].startsWith(
                     QStringLiteral("[3/5] http://nowhere.invalid/ load failed: host not found; ")),
                 qPrintable(result.reportLines[2]));
        QVERIFY(result.reportLines[2].endsWith(skipFailed ? QStringLiteral("skipped") : QStringLiteral(")")));
        QCOMPARE(result.reportLines[5], skipFailed ? QStringLiteral("Printed 3, skipped 2, failed 0, refused 0.")
                                                   : QStringLiteral("Printed 5, skipped 0, failed 0, refused 0."));

        // The JSON lines agree with what reached the server.
        QCOMPARE(result.jsonLines.size(), 5);
        QList<int> printedJobs;
        for (const QString &line : result.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            QCOMPARE(page.value(QStringLiteral("printer")).toString(), kQueue);
            if (page.value(QStringLiteral("outcome")).toString() == QLatin1String("printed"))
                printedJobs << page.value(QStringLiteral("job")).toInt();
        }
        QList<int> serverJobs;
        for (const PrintedJob &job : jobs)
            serverJobs << job.id;
        QCOMPARE(printedJobs, serverJobs);
        QCOMPARE(
            QJsonDocument::fromJson(result.jsonLines[1].toUtf8()).object().value(QStringLiteral("http_status")).toInt(),
            404);
        QVERIFY2(jobs.last().text.contains(QStringLiteral("Text of page three")), qPrintable(jobs.last().text));

        // The user's default printer is never touched.
        QVERIFY(!QFile::exists(testHome() + QStringLiteral("/.cups/lpoptions")));
        QCOMPARE(lpstatDefault(), kSystemDefault);
    }

    void goodPagesOnTheDefaultPrinterGiveZero()
    {
        writeList(goodPages());
        const int before = jobCount(QStringLiteral("Test-Bravo"));
        const Run result = run({});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(jobCount(QStringLiteral("Test-Bravo")), before + 3);
        QVERIFY(result.jsonLines.isEmpty());
    }

    void anUnknownPrinterOrListIsABadStart()
    {
        writeList(goodPages());
        const Run unknown = run({QStringLiteral("--printer"), QStringLiteral("No-Such-Printer")});
        QCOMPARE(unknown.exitCode, 2);
        QCOMPARE(unknown.reportLines, QStringList{"There is no printer named \"No-Such-Printer\". The printers are: "
                                                  u"Test-Alpha, Test-Bravo, Test-Charlie."_s});
        listFile = testHome() + QStringLiteral("/no-such-list.txt");
        QCOMPARE(run({}).exitCode, 2);
        listFile = testHome() + QStringLiteral("/list.txt");
    }

    void terminatedMidRunItEndsAtOnceAndLeavesNothingRunning()
    {
        writeList(goodPages());
        QProcess program;
        start(program, {QStringLiteral("--pause"), QStringLiteral("30")});
        QString errors;
        QVERIFY(sleepUntil(
            [&] {
                errors += QString::fromUtf8(program.readAllStandardError());
                return errors.contains(QStringLiteral("[1/3]"));
            },
            QDeadlineTimer(60'000)));
        const QList<pid_t> children = descendantProcesses(static_cast<pid_t>(program.processId()));
        QVERIFY(!children.isEmpty());
        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(sleepUntil([&] { return program.state() == QProcess::NotRunning; }, QDeadlineTimer(5000)));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + SIGTERM);
        // The browser's helper processes end as soon as they see the program gone.
        QVERIFY(sleepUntil([&] { return std::none_of(children.begin(), children.end(), processRuns); },
                           QDeadlineTimer(3000)));
    }
};

QUILLBRAE_TEST_MAIN(CommandLinePrintTest)
#include "test_command_line_print.moc"
