#include "CommandLineRunTest.h"
#include "ShownWindows.h"
#include "printing/PrintedJobs.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>

#include <csignal>
#include <utility>

using namespace Qt::StringLiterals;

// How the command line's run loads its pages: ahead of the one printing, each for its own row,
// with its lazy pictures, its wait rules and its bound.
class CommandLineLoadingTest : public CommandLineRunTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }

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
};

QUILLBRAE_TEST_MAIN(CommandLineLoadingTest)
#include "test_command_line_loading.moc"
