#include "CommandLineTests.h"
#include "PrintServerTools.h"
#include "ShownWindows.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "runtime/EventSleep.h"
#include "support/Gzipped.h"
#include "support/ProcessTree.h"
#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString kQueue = QStringLiteral("Test-Charlie");
const QString kSystemDefault = QStringLiteral("system default destination: Test-Bravo");

} // namespace

// The print run from the command line, in this process for the most part, and as the real
// executable in a child process, with no display, for what only a process shows; on the private
// print server, printing pages this process serves.
class CommandLinePrintTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    QString listFile;
    // Runs in the child before the program starts.
    std::function<void()> childSetUp = [] {};

    // Starts the program; the caller waits for it with the process's own event loop running, so that
    // this process's web server answers meanwhile.
    // With onTheDisplay, it starts as from a terminal of the desktop this test runs on.
    void start(QProcess &program, const QStringList &options, const QString &locale = QString(),
               bool onTheDisplay = false)
    {
        program.setChildProcessModifier(childSetUp);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!onTheDisplay)
            environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // This process's own start-up turned the sandbox off when it runs as root; the program
        // decides for itself, as for a user.
        environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        if (!locale.isEmpty())
            environment.insert(QStringLiteral("LC_ALL"), locale);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLBRAE_EXECUTABLE), QStringList{QStringLiteral("--print"), listFile} + options);
    }

    // The real program in a child process, for what only a process shows: its exit, its standard
    // streams, what it keeps for the next process, what signals do to it.
    Run runProcess(const QStringList &options, const QString &locale = QString())
    {
        QProcess program;
        start(program, options, locale);
        if (!sleepUntil([&] { return program.state() == QProcess::NotRunning; }, QDeadlineTimer(120'000)))
            return {};
        return runOf(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                     QString::fromUtf8(program.readAllStandardError()),
                     QString::fromUtf8(program.readAllStandardOutput()));
    }

    // The run in this process, as the program makes it.
    Run run(const QStringList &options) { return runInProcess(listFile, options); }

    void writeList(const QStringList &addresses)
    {
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((addresses.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

    // NAME-login.html sets the session cookie NAME=in; NAME-report.html shows its report only to a
    // request that brings that cookie back.
    void serveCookiePages(const QString &name)
    {
        TestHttpServer::Page login;
        login.body = "<html><head><title>Logged in</title></head><body>Logged in</body></html>";
        login.setCookie = name.toUtf8() + "=in; Path=/";
        web.serve(u"/%1-login.html"_s.arg(name), login);
        TestHttpServer::Page report;
        report.body = "<html><head><title>Report</title></head><body>Please log in</body></html>";
        report.cookie = name.toUtf8() + "=in";
        report.cookieBody = "<html><head><title>Report</title></head><body>Report for the logged-in user</body></html>";
        web.serve(u"/%1-report.html"_s.arg(name), report);
    }

    QStringList goodPages() const
    {
        return {web.url(u"/one.html"_s), web.url(u"/two.html"_s), web.url(u"/three.html"_s)};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        listFile = testHome() + QStringLiteral("/list.txt");
        serveTestPages(web);
    }

    // Three good pages, a page that is not there, a host that does not exist, a page that no server
    // sent and a blank line.
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
                   goodPages()[1], u"data:text/html,<title>Data</title>Text of the data page"_s, goodPages()[2]});
        const int before = jobCount(kQueue);
        QStringList options{QStringLiteral("--printer"), kQueue.toLower(), QStringLiteral("--json")};
        if (skipFailed)
            options << QStringLiteral("--skip-failed");
        const Run result = run(options);

        QCOMPARE(result.exitCode, 1);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), skipFailed ? 4 : 6);
        QCOMPARE(result.reportLines.size(), 7);
        QVERIFY2(result.reportLines[1].startsWith(
                     QStringLiteral("[2/6] %1 load failed: HTTP 404; ").arg(web.url(u"/missing.html"_s))),
                 qPrintable(result.reportLines[1]));
        QVERIFY2(result.reportLines[2].startsWith(
                     QStringLiteral("[3/6] http://nowhere.invalid/ load failed: host not found; ")),
                 qPrintable(result.reportLines[2]));
        QVERIFY(result.reportLines[2].endsWith(skipFailed ? QStringLiteral("skipped") : QStringLiteral(")")));
        QCOMPARE(result.reportLines[6], skipFailed
                                            ? QStringLiteral("Printed 4, skipped 2, failed 0, refused 0.")
                                            : QStringLiteral("Printed 6 (2 after a failed load), skipped 0, failed 0, "
                                                             "refused 0."));

        // The JSON lines agree with what reached the server, and give the HTTP status wherever a
        // server answered, a good one included.
        QCOMPARE(result.jsonLines.size(), 6);
        QList<int> printedJobs;
        QList<QJsonValue> statuses;
        for (const QString &line : result.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            QCOMPARE(page.value(QStringLiteral("printer")).toString(), kQueue);
            if (page.value(QStringLiteral("outcome")).toString() == QLatin1String("printed"))
                printedJobs << page.value(QStringLiteral("job")).toInt();
            statuses << page.value(QStringLiteral("http_status"));
        }
        QList<int> serverJobs;
        for (const PrintedJob &job : jobs)
            serverJobs << job.id;
        QCOMPARE(printedJobs, serverJobs);
        const QJsonValue none(QJsonValue::Null);
        QCOMPARE(statuses, (QList<QJsonValue>{200, 404, none, 200, none, 200}));
        QVERIFY2(jobs.last().text.contains(QStringLiteral("Text of page three")), qPrintable(jobs.last().text));

        // The user's default printer is never touched.
        QVERIFY(!QFile::exists(testHome() + QStringLiteral("/.cups/lpoptions")));
        QCOMPARE(lpstatDefault(), kSystemDefault);
    }

    // Under a locale that writes a decimal comma the numbers are still read with a point: Qt takes
    // the locale from the environment, so it need not be installed. A clean run's standard error,
    // as a cron job's log collects it, holds its report and nothing of the browser engine's start.
    void goodPagesOnTheDefaultPrinterGiveZero()
    {
        writeList(goodPages());
        const int before = jobCount(QStringLiteral("Test-Bravo"));
        const Run result = runProcess(
            {QStringLiteral("--pause"), QStringLiteral("0.5"), QStringLiteral("--timeout"), QStringLiteral("30.5")},
            QStringLiteral("de_DE.UTF-8"));
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(jobCount(QStringLiteral("Test-Bravo")), before + 3);
        QVERIFY(result.jsonLines.isEmpty());
        QCOMPARE(result.reportLines.size(), 4);
        QStringList expected = result.reportLines;
        // As root, and only then, the program says once why pages load without the sandbox.
        if (::geteuid() == 0)
            expected.prepend(
                u"Running as root: web pages load without the browser's sandbox, which does not run as root."_s);
        QCOMPARE(result.errors, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
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
        {
            // Without a default printer, the printers there are to choose from; without printers,
            // what to do instead.
            const OwnPrintServer withoutDefault;
            runCupsTool(u"lpadmin"_s, {u"-x"_s, u"Test-Bravo"_s});
            const Run noDefault = run({});
            QCOMPARE(noDefault.exitCode, 2);
            QVERIFY2(noDefault.errors.endsWith(u"There is no default printer. Choose one with --printer NAME: "
                                               u"Test-Alpha, Test-Charlie.\n"_s),
                     qPrintable(noDefault.errors));
            runCupsTool(u"lpadmin"_s, {u"-x"_s, u"Test-Alpha"_s});
            runCupsTool(u"lpadmin"_s, {u"-x"_s, u"Test-Charlie"_s});
            QVERIFY2(run({}).errors.endsWith(u"There are no printers: add one in the system's printer settings, or "
                                             u"save PDF files with --pdf-dir.\n"_s),
                     qPrintable(run({}).errors));
        }
        // Job options are checked before any page loads.
        const int before = jobCount(kQueue);
        for (const QString &option : {u"copies=0"_s, u"two words"_s, u"sides=both"_s, u"media=Napkin"_s}) {
            const Run refused = run({u"--printer"_s, kQueue, u"-o"_s, option});
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.errors.contains(option.section(u'=', -1)), qPrintable(refused.errors));
        }
        QCOMPARE(jobCount(kQueue), before);
    }

    // By default every sheet has the title and its number above the page, the address and the date
    // below it, in the margins; a page wider than the paper is made to fit it, and neither one that
    // fits nor one wide only on a wide screen is made smaller; backgrounds are left out. Job options
    // reach the job, and the paper shapes the sheets.
    void sheetsCarryHeaderAndFooterAndTheJobItsOptions()
    {
        writeList({web.url(u"/long.html"_s), web.url(u"/wide.html"_s), web.url(u"/dark.html"_s),
                   web.url(u"/responsive.html"_s)});
        const int before = jobCount(kQueue);
        const Run result = run({u"--printer"_s, kQueue, u"-o"_s, u"copies=2"_s, u"-o"_s, u"sides=two-sided-long-edge"_s,
                                u"-o"_s, u"media=A4"_s});
        QCOMPARE(result.exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 4);

        const QString info = readJobDocument(u"pdfinfo"_s, {}, jobs[0].id);
        QVERIFY2(info.contains(u"594.96 x 841.92 pts (A4)"_s), qPrintable(info));
        const int sheets = QRegularExpression(u"Pages: +(\\d+)"_s).match(info).captured(1).toInt();
        QVERIFY2(sheets >= 2, qPrintable(info));
        const QString date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
        for (const QString &expected : {u"A long report"_s, u"Page 1 of %1"_s.arg(sheets),
                                        u"Page %1 of %1"_s.arg(sheets), web.url(u"/long.html"_s), date})
            QVERIFY2(jobs[0].text.contains(expected), qPrintable(expected + u" not in "_s + jobs[0].text));
        QSizeF sheet;
        const QList<PlacedWord> words = sheetWords(jobs[0].id, 1, &sheet);
        auto placesOf = [&](const QString &text) {
            QList<QRectF> places;
            for (const PlacedWord &word : words)
                if (word.text == text)
                    places << word.box;
            return places.isEmpty() ? QList<QRectF>{QRectF()} : places;
        };
        const QRectF header = placesOf(u"long"_s).first();
        const QRectF footer = placesOf(date.split(u' ').last()).last();
        QVERIFY(header.top() > 0 && header.bottom() < placesOf(u"Paragraph"_s).first().top());
        QVERIFY(footer.bottom() < sheet.height() && footer.top() > placesOf(u"Paragraph"_s).last().bottom());

        QRectF rightEdge;
        for (const PlacedWord &word : sheetWords(jobs[1].id, 1, &sheet))
            if (word.text == u"RightEdge"_s)
                rightEdge = word.box;
        QVERIFY(rightEdge.right() > sheet.width() / 2 && rightEdge.right() < sheet.width());
        QVERIFY(darkness(jobs[2].id) < 10);
        // The pages' 16-pixel text is 12-point type, whose words pdftotext boxes 14 points high.
        qreal narrowedHeight = 0;
        for (const PlacedWord &word : sheetWords(jobs[3].id, 1, &sheet))
            if (word.text == u"Narrowed"_s)
                narrowedHeight = word.box.height();
        for (const qreal height : {placesOf(u"Paragraph"_s).first().height(), narrowedHeight})
            QVERIFY2(height > 13.5 && height < 14.5, qPrintable(QString::number(height)));

        const QString attributes = jobAttributes(jobs[0].id);
        for (const QString &expected :
             {u"copies (integer) = 2"_s, u"sides (keyword) = two-sided-long-edge"_s, u"media (keyword) = A4"_s})
            QVERIFY2(attributes.contains(expected), qPrintable(attributes));
    }

    // The page alone, at its own size, backgrounds and all.
    void theSetupCanLeaveThePageAsItIs()
    {
        writeList({web.url(u"/wide.html"_s), web.url(u"/dark.html"_s)});
        const int before = jobCount(kQueue);
        const Run result =
            run({u"--printer"_s, kQueue, u"--no-header-footer"_s, u"--scale"_s, u"100"_s, u"--backgrounds"_s});
        QCOMPARE(result.exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 2);
        QVERIFY2(!jobs[0].text.contains(u"RightEdge"_s) && !jobs[0].text.contains(u"Page 1"_s),
                 qPrintable(jobs[0].text));
        QVERIFY(darkness(jobs[1].id) > 200);
    }

    // A page dark on its body, its root or a box of its own prints white with its text by default,
    // from either browser of the run, and as it shows with --backgrounds.
    void darkPagesPrintWhiteUnlessBackgroundsAreAsked_data()
    {
        QTest::addColumn<bool>("backgrounds");
        QTest::newRow("by default") << false;
        QTest::newRow("--backgrounds") << true;
    }

    void darkPagesPrintWhiteUnlessBackgroundsAreAsked()
    {
        QFETCH(bool, backgrounds);
        writeList({web.url(u"/dark.html"_s), web.url(u"/dark-root.html"_s), web.url(u"/dark-box.html"_s)});
        const int before = jobCount(kQueue);
        QStringList options{u"--printer"_s, kQueue, u"--no-header-footer"_s};
        if (backgrounds)
            options << u"--backgrounds"_s;
        QCOMPARE(run(options).exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 3);
        const QStringList texts{u"Dark page"_s, u"Dark root page"_s, u"Dark box page"_s};
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(jobs[i].text.contains(texts[i]), qPrintable(jobs[i].text));
            const int dark = darkness(jobs[i].id);
            QVERIFY2(backgrounds ? dark > 150 : dark < 10, qPrintable(texts[i] + u": "_s + QString::number(dark)));
        }
    }

    // Each page a file named by its row and title, in list order, with the page's text; a name
    // that is taken gets " (2)", and what was there stays. A skipped row keeps its number for
    // itself. No printer is asked for anything.
    void pagesSaveAsOneFileEachNamedByTitle()
    {
        const QString folder = testHome() + u"/Reports"_s;
        QVERIFY(QDir().mkpath(folder));
        QFile earlier(folder + u"/005 Page two.pdf"_s);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({goodPages()[0], web.url(u"/missing.html"_s), web.url(u"/slash.html"_s), web.url(u"/untitled.html"_s),
                   goodPages()[1], web.url(u"/report?name=Quarterly"_s), web.url(u"/wiki/Paris"_s),
                   web.url(u"/invoice.html"_s)});
        const int jobsBefore = jobsOnEveryQueue();
        const Run result = run({u"--pdf-dir"_s, folder, u"--json"_s, u"--skip-failed"_s});

        QCOMPARE(result.exitCode, 1);
        const QStringList names{u"001 Page one.pdf"_s,       u"003 Q1-Q2 results.pdf"_s, u"004 127.0.0.1.pdf"_s,
                                u"005 Page two (2).pdf"_s,   u"006 Quarterly.pdf"_s,     u"007 Paris.pdf"_s,
                                u"008 Invoice fdp.exe.pdf"_s};
        QStringList there = QStringList(names) << u"005 Page two.pdf"_s;
        there.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), there);
        const QStringList texts{u"Text of page one"_s,   u"Text of the results"_s, u"Text of a page without a title"_s,
                                u"Text of page two"_s,   u"Text of the quarter"_s, u"Text of Paris"_s,
                                u"Text of the invoice"_s};
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString text = toolOutput(u"pdftotext"_s, {folder + u'/' + names[i], u"-"_s});
            QVERIFY2(text.contains(texts[i]), qPrintable(names[i] + u": "_s + text));
        }
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));

        QStringList files;
        for (const QString &name : names)
            files << folder + u'/' + name;
        files.insert(1, QString());
        QCOMPARE(jsonMembers(result.jsonLines, u"file"_s), files);
        QCOMPARE(jsonMembers(result.jsonLines, u"outcome"_s),
                 (QStringList{u"saved"_s, u"skipped"_s, u"saved"_s, u"saved"_s, u"saved"_s, u"saved"_s, u"saved"_s,
                              u"saved"_s}));
        QCOMPARE(result.reportLines[0], u"[1/8] %1 saved to \"%2\""_s.arg(goodPages()[0], files[0]));
        QCOMPARE(result.reportLines.last(), u"Saved 7, skipped 1, failed 0, refused 0."_s);
        QCOMPARE(jobsOnEveryQueue(), jobsBefore);
        QCOMPARE(lpstatDefault(), kSystemDefault);
    }

    // One file of every page in list order, a bookmark each at its page's first sheet, titled by
    // the page or, without a title, by its address; it replaces the file that was there, whole.
    void pagesJoinIntoOneFileWithABookmarkEach()
    {
        const QString folder = testHome() + u"/joined"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + u"/all.pdf"_s;
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({web.url(u"/long.html"_s), goodPages()[0], web.url(u"/untitled.html"_s)});
        const int jobsBefore = jobsOnEveryQueue();
        const Run result = run({u"--pdf"_s, file, u"--json"_s});

        QCOMPARE(result.exitCode, 0);
        QCOMPARE(jsonMembers(result.jsonLines, u"file"_s), QStringList(3, file));
        QCOMPARE(jsonMembers(result.jsonLines, u"outcome"_s), QStringList(3, u"saved"_s));
        // A page is only kept for the file until it is written.
        QCOMPARE(result.reportLines[0], u"[1/3] %1 kept for \"%2\""_s.arg(web.url(u"/long.html"_s), file));
        QVERIFY2(
            result.errors.endsWith(u"Wrote 3 pages to \"%1\".\nSaved 3, skipped 0, failed 0, refused 0.\n"_s.arg(file)),
            qPrintable(result.errors));
        QVERIFY(toolOutput(u"qpdf"_s, {u"--check"_s, file}).contains(u"No syntax or stream encoding errors"_s));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"all.pdf"_s});
        const int sheets =
            QRegularExpression(u"Pages: +(\\d+)"_s).match(toolOutput(u"pdfinfo"_s, {file})).captured(1).toInt();
        QVERIFY2(sheets >= 4, qPrintable(QString::number(sheets)));
        const QJsonArray outline =
            QJsonDocument::fromJson(toolOutput(u"qpdf"_s, {u"--json"_s, u"--json-key=outlines"_s, file}).toUtf8())
                .object()
                .value(u"outlines"_s)
                .toArray();
        QStringList titles;
        QList<int> firstSheets;
        for (const QJsonValue bookmark : outline) {
            titles << bookmark[u"title"_s].toString();
            firstSheets << bookmark[u"destpageposfrom1"_s].toInt();
        }
        QCOMPARE(titles, (QStringList{u"A long report"_s, u"Page one"_s, web.url(u"/untitled.html"_s)}));
        QCOMPARE(firstSheets, (QList<int>{1, sheets - 1, sheets}));
        const QString text = toolOutput(u"pdftotext"_s, {file, u"-"_s});
        QVERIFY(text.indexOf(u"Paragraph 120"_s) < text.indexOf(u"Text of page one"_s));
        QVERIFY(text.indexOf(u"Text of page one"_s) < text.indexOf(u"Text of a page without a title"_s));
        QCOMPARE(jobsOnEveryQueue(), jobsBefore);
    }

    // A folder or file that can't be written is refused before any page loads.
    void anUnwritableTargetIsRefusedBeforeAnyPageLoads()
    {
        writeList(goodPages());
        const qsizetype requests = web.requestedPaths().size();
        // A folder under a regular file can't be made or written, whoever runs the test.
        const QString underAFile = listFile + u"/sub"_s;
        const std::pair<QStringList, QString> targets[] = {
            {{u"--pdf-dir"_s, underAFile}, u"The folder \"%1\" could not be made: Not a directory"_s.arg(underAFile)},
            {{u"--pdf-dir"_s, listFile}, u"\"%1\" is not a folder."_s.arg(listFile)},
            {{u"--pdf"_s, underAFile + u"/all.pdf"_s}, u"There is no folder \"%1\"."_s.arg(underAFile)},
            {{u"--pdf"_s, testHome()}, u"\"%1\" is a folder; a file's name is needed."_s.arg(testHome())},
        };
        for (const auto &[options, message] : targets) {
            const Run refused = run(options);
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.errors.endsWith(message + u'\n'), qPrintable(refused.errors));
        }
        QCOMPARE(web.requestedPaths().size(), requests);

        // A folder that is not there yet is made, with its parents, as mkdir -p does.
        const QString deep = testHome() + u"/made/for/the/run"_s;
        const Run made = run({u"--pdf-dir"_s, deep});
        QCOMPARE(made.exitCode, 0);
        QVERIFY2(made.errors.contains(u"Made the folder \"%1\".\n[1/3] "_s.arg(deep)), qPrintable(made.errors));
        QCOMPARE(QDir(deep).entryList(QDir::Files).size(), 3);
    }

    // On a disk that fills up, no page is reported saved that was not written, and the system says
    // why; the file that was there stays, and nothing of the run is left beside it.
    void aFullDiskSavesNothingItCannotWrite()
    {
        const QString disk = testHome() + u"/small-disk"_s;
        QVERIFY(QDir().mkpath(disk));
        if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, disk}) != 0)
            QSKIP("mounting a small file system needs root");
        const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {disk}); });
        const QString file = disk + u"/all.pdf"_s;
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({web.url(u"/long.html"_s), goodPages()[0], goodPages()[1], web.url(u"/wide.html"_s)});

        const Run joined = run({u"--pdf"_s, file, u"--json"_s});
        QCOMPARE(joined.exitCode, 1);
        QCOMPARE(joined.jsonLines.size(), 4);
        for (const QString &line : joined.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            QVERIFY2(page.value(u"outcome"_s).toString() != u"saved"_s, qPrintable(line));
            QVERIFY2(page.value(u"error"_s).toString().contains(u"No space left on device"_s), qPrintable(line));
        }
        QVERIFY2(joined.reportLines.last().startsWith(u"Saved 0, skipped 0, "_s), qPrintable(joined.errors));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
        earlier.close();
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{u"all.pdf"_s});

        // A page a file: those saved are there whole, the others say why not.
        const Run folder = run({u"--pdf-dir"_s, disk, u"--json"_s});
        QCOMPARE(folder.exitCode, 1);
        int notSaved = 0;
        for (const QString &line : folder.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            if (page.value(u"outcome"_s).toString() == u"saved"_s) {
                QVERIFY(
                    toolOutput(u"qpdf"_s, {u"--check"_s, page.value(u"file"_s).toString()}).contains(u"No syntax"_s));
                continue;
            }
            ++notSaved;
            QVERIFY2(page.value(u"error"_s).toString().endsWith(u"No space left on device"_s), qPrintable(line));
        }
        QVERIFY(notSaved > 0);
        QVERIFY(!QDir(disk).entryList(QDir::Files | QDir::Hidden).join(u' ').contains(u".part"_s));
    }

    // The password of an address is on no sheet, line, bookmark or job name; the page loads with it.
    void aPasswordInTheAddressIsNeverShown()
    {
        const QString address = u"http://alice:topsecret9@"_s + web.address(u"/private.html"_s);
        const QString shown = u"http://alice@"_s + web.address(u"/private.html"_s);
        writeList({address});
        const int before = jobCount(kQueue);
        const Run printed = run({u"--printer"_s, kQueue, u"--json"_s});
        QCOMPARE(printed.exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"The private report"_s) && jobs[0].text.contains(shown),
                 qPrintable(jobs[0].text));
        QVERIFY2(printed.reportLines[0].startsWith(u"[1/1] "_s + shown), qPrintable(printed.reportLines[0]));
        QCOMPARE(jsonMembers(printed.jsonLines, u"address"_s), QStringList{shown});
        const QString file = testHome() + u"/private.pdf"_s;
        QCOMPARE(run({u"--pdf"_s, file}).exitCode, 0);
        const QString written = toolOutput(u"pdftotext"_s, {file, u"-"_s}) + printed.errors +
                                jobAttributes(jobs[0].id) +
                                toolOutput(u"qpdf"_s, {u"--json"_s, u"--json-key=outlines"_s, file}) + jobs[0].text;
        QVERIFY2(!written.contains(u"topsecret9"_s), qPrintable(written));
        QVERIFY2(written.contains(u"\"title\": \""_s + shown), qPrintable(written));
    }

    void anOptionThePrinterRefusesIsReportedForEachPage()
    {
        writeList({goodPages()[0], goodPages()[1]});
        const int before = jobCount(kQueue);
        const Run result = run({u"--printer"_s, kQueue, u"-o"_s, u"number-up=7"_s});
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(jobCount(kQueue), before);
        for (const QString &line : result.reportLines.mid(0, 2))
            QVERIFY2(line.endsWith(u"refused the page: Bad number-up value 7."_s), qPrintable(line));
    }

    // While a page prints, the next ones load, as many as are in flight; the jobs still come in the
    // list's order, a failed page among them. One at a time, a page loads only once the one before
    // has printed.
    void theNextPagesLoadWhileOnePrints()
    {
        writeList({web.url(u"/tells-printing.html"_s), goodPages()[0], web.url(u"/missing.html"_s), goodPages()[1]});
        const QList<std::pair<QStringList, int>> runs{
            {{}, 2}, {{u"--one-at-a-time"_s}, 1}, {{u"--pages-in-flight"_s, u"3"_s}, 3}};
        for (const auto &[inFlightOptions, pagesInFlight] : runs) {
            const qsizetype requestsBefore = web.requestedPaths().size();
            const int before = jobCount(kQueue);
            const Run result = run(QStringList{u"--printer"_s, kQueue} + inFlightOptions);
            QCOMPARE(result.exitCode, 1);
            const QStringList requests = web.requestedPaths().mid(requestsBefore);
            const qsizetype printing = requests.indexOf(u"/printing-began"_s);
            QVERIFY2(printing >= 0, qPrintable(requests.join(u' ')));
            const QStringList after{u"/one.html"_s, u"/missing.html"_s, u"/two.html"_s};
            for (int i = 0; i < after.size(); ++i) {
                const qsizetype requested = requests.indexOf(after[i]);
                QVERIFY2(requested >= 0 && (requested < printing) == (i < pagesInFlight - 1),
                         qPrintable(inFlightOptions.join(u' ') + u": "_s + requests.join(u' ')));
            }
            const QList<PrintedJob> jobs = jobsSince(kQueue, before);
            QCOMPARE(jobs.size(), 4);
            const QStringList texts{u"Tells when printed"_s, u"Text of page one"_s, u"Not Found"_s,
                                    u"Text of page two"_s};
            for (int i = 0; i < 4; ++i)
                QVERIFY2(jobs[i].text.contains(texts[i]), qPrintable(jobs[i].text));
        }
    }

    // The pause stands between two pages handed over, though the next page loads meanwhile. Run
    // from a terminal of a desktop, the run puts no window on the screen: its browsers go on none.
    void thePauseStandsBetweenHandOversAndNoWindowShows()
    {
        QVERIFY(qEnvironmentVariableIsSet("DISPLAY"));
        const QSet<std::uint32_t> shownBefore = windowsShownOnDisplay();
        writeList(goodPages());
        QProcess program;
        start(program, {u"--printer"_s, kQueue, u"--pause"_s, u"1"_s}, QString(), true);
        QElapsedTimer clock;
        clock.start();
        QList<qint64> reported;
        QString errors;
        QSet<std::uint32_t> shownByTheRun;
        QVERIFY(sleepUntil(
            [&] {
                errors += QString::fromUtf8(program.readAllStandardError());
                while (reported.size() < errors.count(u"\n["_s) + (errors.startsWith(u'[') ? 1 : 0))
                    reported << clock.elapsed();
                shownByTheRun += windowsShownOnDisplay() - shownBefore;
                return program.state() == QProcess::NotRunning;
            },
            QDeadlineTimer(60'000)));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(shownByTheRun.size(), 0);
        QCOMPARE(reported.size(), 3);
        for (int i = 1; i < 3; ++i)
            QVERIFY2(reported[i] - reported[i - 1] >= 950, qPrintable(QString::number(reported[i] - reported[i - 1])));
    }

    // A row prints its own page or nothing: not a page that never came, nor an address the browser
    // refuses, and what a page does after its row (refresh itself, move its own location) neither
    // prints nor fails the next. Control characters of an address reach the report escaped.
    void eachRowPrintsItsOwnPageOrNothing()
    {
        writeList({goodPages()[0], web.url(u"/silent.html"_s), web.url(u"/x"_s) + QChar(0) + u"y.html"_s,
                   web.url(u"/refreshing.html"_s), u"data:text/html,<title>Data</title>Text of the data page"_s,
                   web.url(u"/moving.html"_s), goodPages()[1], web.url(u"/two.html?"_s) + QChar(0x1b) + u"[2J"_s});
        const int before = jobCount(kQueue);
        const Run result = run({QStringLiteral("--printer"), kQueue, QStringLiteral("--timeout"), QStringLiteral("6")});

        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.reportLines.size(), 9);
        QCOMPARE(result.reportLines[1], QStringLiteral("[2/8] %1 load failed: no page after 6 seconds; not printed")
                                            .arg(web.url(u"/silent.html"_s)));
        QCOMPARE(
            result.reportLines[2],
            QStringLiteral("[3/8] %1\\u0000y.html load failed: address refused; not printed").arg(web.url(u"/x"_s)));
        for (const int row : {4, 5, 6})
            QVERIFY2(result.reportLines[row].endsWith(QLatin1Char(')')) &&
                         !result.reportLines[row].contains(QLatin1String("failed")),
                     qPrintable(result.reportLines[row]));
        QVERIFY2(result.reportLines[7].contains(QLatin1String("two.html?\\u001b[2J load failed: HTTP 404")),
                 qPrintable(result.reportLines[7]));
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 6);
        QVERIFY2(jobs[0].text.contains(QLatin1String("Text of page one")), qPrintable(jobs[0].text));
        QVERIFY2(jobs[1].text.contains(QLatin1String("Refreshing page")), qPrintable(jobs[1].text));
        QVERIFY2(jobs[2].text.contains(QLatin1String("Text of the data page")), qPrintable(jobs[2].text));
        QVERIFY2(jobs[3].text.contains(QLatin1String("Moving page")), qPrintable(jobs[3].text));
        QVERIFY2(jobs[4].text.contains(QLatin1String("Text of page two")), qPrintable(jobs[4].text));
    }

    // Pictures that load only as they come into view are all printed, from either browser of the
    // run; without the scroll through the page, those out of view are not.
    void picturesThatLoadOnScrollingArePrinted()
    {
        writeList({web.url(u"/lazy.html"_s), web.url(u"/lazy-again.html"_s)});
        const int before = jobCount(kQueue);
        QCOMPARE(run({u"--printer"_s, kQueue}).exitCode, 0);
        QCOMPARE(run({u"--printer"_s, kQueue, u"--no-lazy-load"_s}).exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 4);
        QCOMPARE(pictureCount(jobs[0].id), 8);
        QCOMPARE(pictureCount(jobs[1].id), 8);
        QVERIFY(pictureCount(jobs[2].id) < 8);

        // A page that grows whenever its end comes into view is scrolled a bounded way.
        writeList({web.url(u"/endless.html"_s)});
        QCOMPARE(run({u"--printer"_s, kQueue}).exitCode, 0);
        const QList<PrintedJob> endless = jobsSince(kQueue, before + 4);
        QCOMPARE(endless.size(), 1);
        const int sheets = QRegularExpression(u"Pages: +(\\d+)"_s)
                               .match(readJobDocument(u"pdfinfo"_s, {}, endless[0].id))
                               .captured(1)
                               .toInt();
        QVERIFY2(sheets >= 3 && sheets <= 20, qPrintable(QString::number(sheets)));
    }

    // A page prints once the element it waits for has come; one where it never does is a failed
    // load, printed or skipped as such; the delay waits after the page is ready. A selector the
    // browser can't read is a bad command line, found before any page loads.
    void pagesWaitForTheirElementAndTheDelay()
    {
        writeList({web.url(u"/late.html"_s), goodPages()[0]});
        for (const bool skipFailed : {false, true}) {
            const int before = jobCount(kQueue);
            QStringList options{u"--printer"_s, kQueue, u"--wait-for"_s, u"#late"_s, u"--timeout"_s, u"4"_s};
            if (skipFailed)
                options << u"--skip-failed"_s;
            const Run result = run(options);
            QCOMPARE(result.exitCode, 1);
            const QList<PrintedJob> jobs = jobsSince(kQueue, before);
            QCOMPARE(jobs.size(), skipFailed ? 1 : 2);
            QVERIFY2(jobs[0].text.contains(u"Late words"_s), qPrintable(jobs[0].text));
            QVERIFY2(!result.reportLines[0].contains(u"failed"_s), qPrintable(result.reportLines[0]));
            const QString notFound = u"[2/2] %1 load failed: selector not found; "_s.arg(goodPages()[0]);
            QCOMPARE(result.reportLines[1], skipFailed
                                                ? notFound + u"skipped"_s
                                                : notFound + u"printed (job %1-%2)"_s.arg(kQueue).arg(jobs[1].id));
        }

        writeList({web.url(u"/late.html"_s)});
        const int before = jobCount(kQueue);
        QCOMPARE(run({u"--printer"_s, kQueue, u"--delay"_s, u"2.5"_s}).exitCode, 0);
        const QList<PrintedJob> delayed = jobsSince(kQueue, before);
        QCOMPARE(delayed.size(), 1);
        QVERIFY2(delayed[0].text.contains(u"Late words"_s), qPrintable(delayed[0].text));

        const qsizetype requests = web.requestedPaths().size();
        const Run unreadable = run({u"--printer"_s, kQueue, u"--wait-for"_s, u"div >"_s});
        QCOMPARE(unreadable.exitCode, 2);
        QVERIFY2(
            unreadable.errors.endsWith(u"The selector \"div >\" after --wait-for is not one the browser can read.\n"_s),
            qPrintable(unreadable.errors));
        QCOMPARE(web.requestedPaths().size(), requests);
    }

    // A page that never lets itself be printed costs its own bound, also when it was to be rendered
    // while the page before it printed, and Ctrl+C ends the run at once while it hangs; either way
    // the program ends with its own status.
    void aPageThatHangsInPrintingCostsOnlyItsBound()
    {
        writeList({goodPages()[0], web.url(u"/hangs-in-print.html"_s), goodPages()[1]});
        const int before = jobCount(kQueue);
        // A page that never answers its print ends the program as soon as its report is out.
        const Run bounded =
            runProcess({QStringLiteral("--printer"), kQueue, QStringLiteral("--timeout"), QStringLiteral("3")});
        QCOMPARE(bounded.exitCode, 1);
        QCOMPARE(bounded.reportLines.size(), 4);
        QVERIFY2(bounded.reportLines[1].contains(QLatin1String("not printed")), qPrintable(bounded.reportLines[1]));
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 2);
        QVERIFY2(jobs[1].text.contains(u"Text of page two"_s), qPrintable(jobs[1].text));

        const qsizetype began = web.requestedPaths().count(QStringLiteral("/printing-began"));
        QProcess program;
        start(program, {QStringLiteral("--printer"), kQueue});
        QVERIFY(sleepUntil([&] { return web.requestedPaths().count(QStringLiteral("/printing-began")) > began; },
                           QDeadlineTimer(60'000)));
        ::kill(static_cast<pid_t>(program.processId()), SIGINT);
        QVERIFY(sleepUntil([&] { return program.state() == QProcess::NotRunning; }, QDeadlineTimer(5000)));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 128 + SIGINT);
    }

    // A site that asks for a login gets the one ~/.netrc gives for its host, and its page prints.
    // A password the site refuses is the page's load error, once, and is not tried again; without
    // an entry for the host the site's refusal is.
    void aSiteLoginComesFromNetrcAndARefusalIsReportedOnce()
    {
        TestHttpServer::Page members;
        members.login = "alice:open sesame";
        members.body = "<html><head><title>Members</title></head><body>The members' report</body></html>";
        web.serve(u"/members.html"_s, members);
        writeList({web.url(u"/members.html"_s)});
        const QString netrc = testHome() + u"/.netrc"_s;
        const auto removeNetrc = qScopeGuard([&] { QFile::remove(netrc); });
        auto runWithNetrc = [&](const QByteArray &text) {
            QFile file(netrc);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
                qFatal("cannot write the test's .netrc");
            file.close();
            return run({u"--printer"_s, kQueue});
        };
        auto requests = [&] { return web.requestedPaths().count(u"/members.html"_s); };

        const int before = jobCount(kQueue);
        const Run good = runWithNetrc("# the test's sites\nmachine other.example login bob password x\n"
                                      "machine 127.0.0.1\n  login alice\n  password \"open sesame\"\n");
        QCOMPARE(good.exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"The members' report"_s), qPrintable(jobs[0].text));
        const QString othersRead = u"~/.netrc holds passwords, but other users can read it: chmod 600 ~/.netrc"_s;
        QVERIFY2(good.errors.contains(othersRead), qPrintable(good.errors));

        const qsizetype requestsBefore = requests();
        const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(netrc, ownerOnly));
        const Run refused = runWithNetrc("default login alice password wrong\n");
        QVERIFY2(!refused.errors.contains(othersRead), qPrintable(refused.errors));
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.reportLines.size(), 2);
        const QString failed = u"[1/1] %1 load failed: "_s.arg(web.url(u"/members.html"_s));
        QVERIFY2(refused.reportLines[0].startsWith(failed + u"login refused for 127.0.0.1 (~/.netrc); printed"_s),
                 qPrintable(refused.reportLines[0]));
        // Once without a login, once with the wrong one.
        QCOMPARE(requests() - requestsBefore, 2);

        const Run none = runWithNetrc("machine example.org login alice password \"open sesame\"\n");
        QVERIFY2(none.reportLines.value(0).startsWith(failed + u"HTTP 401; printed"_s), qPrintable(none.errors));

        // A pipe in its place, which no one writes to, holds nothing up.
        QVERIFY(QFile::remove(netrc));
        QCOMPARE(::mkfifo(QFile::encodeName(netrc).constData(), 0600), 0);
        const Run piped = run({u"--printer"_s, kQueue, u"--timeout"_s, u"5"_s});
        QVERIFY2(piped.reportLines.value(0).startsWith(failed + u"HTTP 401; printed"_s), qPrintable(piped.errors));
    }

    // A cookie that a site sets for the browser's session, as a login does, is sent again in the next
    // run.
    void aSessionCookieIsKeptForTheNextRun()
    {
        serveCookiePages(u"kept"_s);
        writeList({web.url(u"/kept-login.html"_s)});
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        writeList({web.url(u"/kept-report.html"_s)});
        const int before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"Report for the logged-in user"_s), qPrintable(jobs[0].text));
    }

    // A private run sees no cookie kept by the runs before it, and keeps none for those after it.
    void aPrivateRunNeitherSeesNorKeepsCookies()
    {
        serveCookiePages(u"before"_s);
        serveCookiePages(u"private"_s);
        writeList({web.url(u"/before-login.html"_s)});
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        writeList(
            {web.url(u"/before-report.html"_s), web.url(u"/private-login.html"_s), web.url(u"/private-report.html"_s)});
        int before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue, u"--private"_s}).exitCode, 0);
        QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 3);
        QVERIFY2(jobs[0].text.contains(u"Please log in"_s), qPrintable(jobs[0].text));
        // Within the private run, the site's cookie works as anywhere.
        QVERIFY2(jobs[2].text.contains(u"Report for the logged-in user"_s), qPrintable(jobs[2].text));

        writeList({web.url(u"/private-report.html"_s)});
        before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"Please log in"_s), qPrintable(jobs[0].text));
    }

    // A list given by address is read by what it holds. A sitemap index's sitemaps, one packed, are
    // fetched in turn, the index itself (which lists itself) once, and their pages print in order,
    // each once.
    void aServedSitemapIndexPrintsItsPagesInOrder()
    {
        TestHttpServer::Page index;
        index.contentType = "application/xml";
        index.body = "<sitemapindex xmlns='http://www.sitemaps.org/schemas/sitemap/0.9'>";
        for (const QString &part : {u"/lists/part1.xml"_s, u"/lists/index.xml"_s, u"/lists/part2.xml.gz"_s})
            index.body += "<sitemap><loc>" + web.url(part).toUtf8() + "</loc></sitemap>";
        index.body += "</sitemapindex>";
        web.serve(u"/lists/index.xml"_s, index);
        TestHttpServer::Page part1;
        part1.contentType = "application/xml";
        part1.body = sitemapOf({goodPages()[0], goodPages()[1]});
        web.serve(u"/lists/part1.xml"_s, part1);
        TestHttpServer::Page part2;
        part2.contentType = "application/gzip";
        part2.body = gzipped(sitemapOf({goodPages()[2], goodPages()[0] + u"#again"_s}));
        web.serve(u"/lists/part2.xml.gz"_s, part2);

        const QTemporaryDir folder;
        listFile = web.url(u"/lists/index.xml"_s);
        const Run result = run({u"--pdf-dir"_s, folder.path()});
        listFile = testHome() + QStringLiteral("/list.txt");
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.reportLines.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(result.reportLines[i].startsWith(u"[%1/3] %2 saved"_s.arg(i + 1).arg(goodPages()[i])),
                     qPrintable(result.errors));
        QCOMPARE(web.requestedPaths().count(u"/lists/index.xml"_s), 1);
    }

    // Over 100 pages from a sitemap print nothing without --max-pages, which prints the first ones.
    void aLongSitemapNeedsMaxPages()
    {
        QStringList pages = goodPages();
        for (int i = 4; i <= 150; ++i)
            pages << web.url(u"/page%1.html"_s.arg(i));
        TestHttpServer::Page sitemap;
        sitemap.body = sitemapOf(pages);
        web.serve(u"/long-sitemap.xml"_s, sitemap);
        listFile = web.url(u"/long-sitemap.xml"_s);
        const QTemporaryDir folder;
        const Run refused = run({u"--pdf-dir"_s, folder.path()});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.errors.contains(
                     u"The sitemap %1 lists 150 pages, more than 100: give --max-pages 150 "_s.arg(listFile)),
                 qPrintable(refused.errors));
        QVERIFY(!web.requestedPaths().contains(u"/page4.html"_s));
        QVERIFY(QDir(folder.path()).isEmpty());

        const Run firstTwo = run({u"--pdf-dir"_s, folder.path(), u"--max-pages"_s, u"2"_s});
        listFile = testHome() + QStringLiteral("/list.txt");
        QCOMPARE(firstTwo.exitCode, 0);
        QCOMPARE(firstTwo.reportLines.size(), 3);
        QVERIFY(firstTwo.reportLines[1].startsWith(u"[2/2] %1 saved"_s.arg(goodPages()[1])));
    }

    // A list that can't be read whole prints nothing and says why; so does a web page given without
    // --links.
    void aBadListPrintsNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not there") << u"/no-such-sitemap.xml"_s << u"Cannot read the list {list}: HTTP 404."_s;
        QTest::newRow("malformed XML") << u"/broken.xml"_s
                                       << u"Cannot read the list {list}: it is not well-formed XML (line 1"_s;
        QTest::newRow("a missing sitemap")
            << u"/missing-part.xml"_s << u"Cannot read the list {list}: its sitemap {part}: HTTP 404."_s;
        QTest::newRow("a web page") << u"/page-of-links.html"_s
                                    << u"The list {list} is a web page, not a list of addresses: give --links"_s;
    }

    void aBadListPrintsNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        TestHttpServer::Page broken;
        broken.body = "<urlset><url><loc>" + goodPages()[0].toUtf8() + "</loc></url>";
        web.serve(u"/broken.xml"_s, broken);
        TestHttpServer::Page missingPart;
        TestHttpServer::Page goodPart;
        goodPart.body = sitemapOf(goodPages());
        web.serve(u"/good-part.xml"_s, goodPart);
        missingPart.body = "<sitemapindex><sitemap><loc>" + web.url(u"/good-part.xml"_s).toUtf8() +
                           "</loc></sitemap><sitemap><loc>" + web.url(u"/gone.xml"_s).toUtf8() +
                           "</loc></sitemap></sitemapindex>";
        web.serve(u"/missing-part.xml"_s, missingPart);
        TestHttpServer::Page page;
        page.body = "<!DOCTYPE html><html><body><a href='/one.html'>One</a></body></html>";
        web.serve(u"/page-of-links.html"_s, page);

        listFile = web.url(path);
        const int before = jobCount(kQueue);
        const Run result = run({u"--printer"_s, kQueue});
        listFile = testHome() + QStringLiteral("/list.txt");
        QCOMPARE(result.exitCode, 2);
        problem.replace(u"{list}"_s, web.url(path)).replace(u"{part}"_s, web.url(u"/gone.xml"_s));
        QVERIFY2(result.errors.contains(problem), qPrintable(result.errors));
        QVERIFY(!result.errors.contains(u"[1/"_s));
        QCOMPARE(jobCount(kQueue), before);
    }

    void aClosedStandardInputIsAListThatCannotBeRead()
    {
        childSetUp = [] { ::close(STDIN_FILENO); };
        listFile = QStringLiteral("-");
        const Run result = runProcess({});
        childSetUp = [] {};
        listFile = testHome() + QStringLiteral("/list.txt");
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.reportLines, QStringList{u"Cannot read the list -: Path/File access error."_s});
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
        QVERIFY(processesEnd(children, QDeadlineTimer(3000)));
    }
};

QUILLBRAE_TEST_MAIN(CommandLinePrintTest)
#include "test_command_line_print.moc"
