#include "CommandLineRunTest.h"
#include "printing/PrintedJobs.h"
#include "support/ProcessTree.h"

#include <QDate>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

#include <csignal>

#include <unistd.h>

using namespace Qt::StringLiterals;

// What a run of the command line prints and reports: the report and its JSON lines, the
// exit status, the sheets' header, footer and fit, the job options, and the end on a signal.
class CommandLinePrintTest : public CommandLineRunTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }

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
        useTheListFile();
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
