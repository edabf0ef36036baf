#include "PrintServerTools.h"
#include "gui/MainWindow.h"
#include "printers/DefaultPrinterRecord.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "run/StoredSettings.h"
#include "runtime/EventSleep.h"
#include "support/FakePing.h"
#include "support/ProcessTree.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;

namespace {
const QString kServerDefault = QStringLiteral("Test-Bravo");
const QString kSystemDefault = QStringLiteral("system default destination: Test-Bravo");

QString recordPath()
{
    return DefaultPrinterRecord::folder() + QStringLiteral("/default-printer.json");
}

// The program under test in a child process, with this test's private home, settings and print
// server, printing the given list.
class RunningProgram
{
public:
    RunningProgram(const QString &listFile, const QString &printer, const QString &pause)
    {
        QObject::connect(&process, &QProcess::readyReadStandardOutput,
                         [this] { output += QString::fromUtf8(process.readAllStandardOutput()); });
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // A program killed cannot remove its temporary files; these go with the test's folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporaryFiles.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUILLBRAE_RUN_DRIVER), {listFile, printer, pause});
    }
    ~RunningProgram()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    bool waitFor(const QString &text, int ms = 120'000)
    {
        return sleepUntil([&] { return output.contains(text); }, QDeadlineTimer(ms));
    }
    bool waitForExit(int ms)
    {
        return sleepUntil([&] { return process.state() == QProcess::NotRunning; }, QDeadlineTimer(ms));
    }

    QTemporaryDir temporaryFiles;
    QProcess process;
    QString output;
};

} // namespace

// The switch of the default printer survives every way the program can end: killed, terminated,
// or two copies running at once. The program runs in child processes against the private print
// server; its pages come from this process.
class InterruptedRunTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    FakePing ping{QLatin1String(kPingReply)};
    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;

    // A list file with Unix line ends (so it ends in an empty row) of the given pages.
    QString listOf(const QString &name, int pages)
    {
        QStringList lines;
        for (int page = 1; page <= pages; ++page)
            lines << web.url(QStringLiteral("/%1-%2.html").arg(name).arg(page));
        QString path = testHome() + QLatin1Char('/') + name + QStringLiteral(".txt");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0)
            return {};
        return path;
    }

    // The program started again, as far as its start-up goes.
    void startAgain()
    {
        MainWindow form(quietServices(dialogs, draw, opener));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        // These runs are told apart by each page's own text alone.
        savePageSetup(pagesAlone());
        for (const QString &name : {QStringLiteral("a"), QStringLiteral("c")})
            for (int page = 1; page <= 4; ++page)
                web.serveHtml(QStringLiteral("/%1-%2.html").arg(name).arg(page),
                              QStringLiteral("Page %1 %2").arg(name).arg(page),
                              QStringLiteral("Text of %1 %2").arg(name).arg(page));
        QCOMPARE(lpstatDefault(), kSystemDefault);
    }

    void init() { dialogs = FakeDialogs(); }

    void cleanup()
    {
        QFile::remove(recordPath());
        QFile::remove(testHome() + QStringLiteral("/.cups/lpoptions"));
    }

    void aKilledRunsDefaultComesBackAtTheNextStart()
    {
        RunningProgram program(listOf(QStringLiteral("c"), 4), QStringLiteral("Test-Charlie"), QStringLiteral("2"));
        QVERIFY(program.waitFor(QStringLiteral("printed")));
        QCOMPARE(lpstatDefault(), QStringLiteral("system default destination: Test-Charlie"));
        program.process.kill();
        QVERIFY(program.waitForExit(5000));
        QVERIFY(QFile::exists(recordPath()));

        startAgain();
        QCOMPARE(lpstatDefault(), kSystemDefault);
        QVERIFY(!QFile::exists(recordPath()));
        QVERIFY(!QFile::exists(testHome() + QStringLiteral("/.cups/lpoptions")));
        QVERIFY(dialogs.errorReports().isEmpty());
    }

    void aTerminatedRunPutsTheDefaultBackAtOnce()
    {
        RunningProgram program(listOf(QStringLiteral("c"), 4), QStringLiteral("Test-Charlie"), QStringLiteral("2"));
        QVERIFY(program.waitFor(QStringLiteral("printed")));
        const QList<pid_t> children = descendantProcesses(static_cast<pid_t>(program.process.processId()));
        QVERIFY(!children.isEmpty()); // the browser's processes at least
        ::kill(static_cast<pid_t>(program.process.processId()), SIGTERM);
        QVERIFY(program.waitForExit(5000));
        QCOMPARE(program.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.process.exitCode(), 128 + SIGTERM);
        QCOMPARE(lpstatDefault(), kSystemDefault);
        QVERIFY(!QFile::exists(recordPath()));
        QVERIFY(!program.output.contains(QStringLiteral("Done.")));
        QVERIFY(processesEnd(children, QDeadlineTimer(3000)));
    }

    // A record the program left behind, but the user has picked another default since; or a record
    // that cannot be read. Either is dropped without a word.
    void aLeftRecordNeverOverrulesTheUser_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("userDefault");
        QTest::addColumn<QString>("defaultAfterStart");
        const QByteArray charlieSwitch = R"({"previousDefault": "Test-Bravo", "setDefault": "Test-Charlie",
            "previousOptions": {"exists": false, "folderExists": false, "content": ""},
            "written": {"exists": true, "folderExists": true, "content": "RGVmYXVsdCBUZXN0LUNoYXJsaWUK"}})";
        QTest::newRow("user's choice since") << charlieSwitch << QStringLiteral("Test-Alpha")
                                             << QStringLiteral("system default destination: Test-Alpha");
        QTest::newRow("garbage") << QByteArray("{\"previousDefault\": 7, \x01\xff") << QString() << kSystemDefault;
    }

    void aLeftRecordNeverOverrulesTheUser()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, userDefault);
        QFETCH(QString, defaultAfterStart);
        if (!userDefault.isEmpty())
            runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), userDefault});
        QVERIFY(QDir().mkpath(DefaultPrinterRecord::folder()));
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(record) == record.size());
        file.close();

        startAgain();
        QCOMPARE(lpstatDefault(), defaultAfterStart);
        QVERIFY(!QFile::exists(recordPath()));
        QVERIFY(dialogs.errorReports().isEmpty());
    }

    // A record whose default cannot be put back any more (its printer is gone, and the user's
    // options have changed since) is given up after one word to the user.
    void aRecordThatCannotBeAppliedIsToldOnceAndLetGo()
    {
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), QStringLiteral("Test-Charlie")});
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), QStringLiteral("Test-Alpha"),
                                                  QStringLiteral("-o"), QStringLiteral("media=A5")});
        const QByteArray record = R"({"previousDefault": "Gone Ünïcode/Printer", "setDefault": "Test-Charlie",
            "previousOptions": {"exists": true, "folderExists": true, "content": "RGVmYXVsdCBHb25lCg=="},
            "written": {"exists": true, "folderExists": true, "content": "RGVmYXVsdCBUZXN0LUNoYXJsaWUK"}})";
        QVERIFY(QDir().mkpath(DefaultPrinterRecord::folder()));
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(record) == record.size());
        file.close();

        startAgain();
        QCOMPARE(dialogs.messages.size(), 1);
        const QString text = dialogs.messages[0].text;
        QVERIFY2(text.contains(u"Gone Ünïcode/Printer") && text.contains(u"no printer named") &&
                     text.contains(u"choose your default printer again"),
                 qPrintable(text));
        QVERIFY(!QFile::exists(recordPath()));
        QCOMPARE(lpstatDefault(), QStringLiteral("system default destination: Test-Charlie"));

        dialogs = FakeDialogs();
        startAgain();
        QVERIFY(dialogs.messages.isEmpty());
    }

    void twoCopiesPrintEachToTheirOwnPrinter()
    {
        const int alphaBefore = jobCount(QStringLiteral("Test-Alpha"));
        const int charlieBefore = jobCount(QStringLiteral("Test-Charlie"));
        const int bravoBefore = jobCount(kServerDefault);
        RunningProgram first(listOf(QStringLiteral("a"), 3), QStringLiteral("Test-Alpha"), QStringLiteral("1"));
        QVERIFY(first.waitFor(QStringLiteral("printed")));
        RunningProgram second(listOf(QStringLiteral("c"), 3), QStringLiteral("Test-Charlie"), QStringLiteral("1"));
        QVERIFY(first.waitFor(QStringLiteral("ended")));
        QVERIFY(second.waitFor(QStringLiteral("ended")));
        QVERIFY(first.waitForExit(10'000) && second.waitForExit(10'000));

        // Three pages each (the empty last row of each list file prints nothing), on its own printer.
        QStringList alphaTexts;
        for (const PrintedJob &job : jobsSince(QStringLiteral("Test-Alpha"), alphaBefore))
            alphaTexts << job.text.simplified();
        QCOMPARE(alphaTexts, (QStringList{u"Text of a 1 Text of a 1"_s, u"Text of a 2 Text of a 2"_s,
                                          u"Text of a 3 Text of a 3"_s}));
        QCOMPARE(jobCount(QStringLiteral("Test-Charlie")), charlieBefore + 3);
        QCOMPARE(jobCount(kServerDefault), bravoBefore);
        QVERIFY2(first.output.endsWith(QStringLiteral("ended Done.\n")), qPrintable(first.output));
        QVERIFY2(second.output.endsWith(QStringLiteral("ended Done.\n")), qPrintable(second.output));
        QCOMPARE(lpstatDefault(), kSystemDefault);
        QVERIFY(!QFile::exists(recordPath()));
    }
};

QUILLBRAE_TEST_MAIN(InterruptedRunTest)
#include "test_interrupted_runs.moc"
