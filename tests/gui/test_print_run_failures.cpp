#include "PrintRunWindowTest.h"
#include "gui/ListFileAdding.h"
#include "gui/RunReportWindow.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// Print runs through the window with pages that fail: pages that do not load, stick or lose
// their renderer, a printer that is gone, rows without a page, and the report of them at the end.
class PrintRunFailuresTest : public PrintRunWindowTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }
    void init() { resetStandIns(); }
    void cleanup() { closeWindow(); }

    void pagesThatFailToLoadArePrintedAsTheyStand()
    {
        TestHttpServer::Page held;
        held.body = QByteArray("<html><head><title>Held page</title></head><body><p>Held page start</p>") +
                    QByteArray(20'000, ' ') + "</body></html>";
        held.delivery = TestHttpServer::Delivery::NeverFinish;
        web.serve(QStringLiteral("/held.html"), held);
        TestHttpServer::Page cut = held;
        cut.body.replace("Held page", "Cut page");
        cut.delivery = TestHttpServer::Delivery::CloseHalfway;
        web.serve(QStringLiteral("/cut.html"), cut);

        openWindow();
        passTheReadinessBoundOnceTitled(u"Held page"_s);
        form->urlList()->append(QStringLiteral("http://nonexistent.invalid/"));
        addPages({u"/missing.html"_s, u"/held.html"_s, u"/cut.html"_s, u"/one.html"_s});
        const int before = jobCount(kChosen);
        startButton()->click();

        const QStringList texts = newJobTexts(kChosen, before);
        QCOMPARE(texts.size(), 5);
        QVERIFY2(texts[1].contains(QStringLiteral("Not Found")), qPrintable(texts[1]));
        QVERIFY2(texts[2].contains(QStringLiteral("Held page start")), qPrintable(texts[2]));
        QVERIFY2(texts[3].contains(QStringLiteral("Cut page start")), qPrintable(texts[3]));
        QVERIFY2(texts[4].contains(QStringLiteral("Text of page one")), qPrintable(texts[4]));
        QCOMPARE(dialogs.errorReports().size(), 0);
        verifyRunEndedCleanly();
    }

    // A run that leaves pages to look into ends with a report of them in the command line's words;
    // printing them again sends only those to the run's printer, even with another chosen since. The
    // password of an address shows nowhere, but the page loads with it.
    void aRunEndsWithAReportOfItsFailedPagesThatPrintsThemAgain()
    {
        openWindow();
        addPages({u"/one.html"_s});
        form->urlList()->append(u"http://alice:topsecret9@"_s + web.address(u"/missing.html"_s));
        addPages({u"/two.html"_s});
        const QString missing = u"http://alice@"_s + web.address(u"/missing.html"_s);
        ProgressLog progress;
        recordProgress(progress);
        const int before = jobCount(kChosen);
        QTest::mouseClick(startButton(), Qt::LeftButton);
        QCOMPARE(progress.texts.value(1), u"Processing: "_s + missing);

        const auto reportRows = [this] {
            QStringList rows;
            const auto *report = form->findChild<RunReportWindow *>();
            const auto *pages = report && report->isVisible() ? report->findChild<QTreeWidget *>() : nullptr;
            for (int i = 0; pages && i < pages->topLevelItemCount(); ++i)
                rows << pages->topLevelItem(i)->text(0) + u" | "_s + pages->topLevelItem(i)->text(1);
            return rows;
        };
        QCOMPARE(newJobTexts(kChosen, before).size(), 3);
        const QString reported = u"%1 | load failed: HTTP 404; printed (job %2-"_s.arg(missing, kChosen);
        QCOMPARE(reportRows().size(), 1);
        QVERIFY2(reportRows().value(0).startsWith(reported), qPrintable(reportRows().value(0)));
        verifyRunEndedCleanly();

        auto *printerBox = child<QComboBox>(*form, "Combo1");
        printerBox->setCurrentIndex(printerBox->findText(u"Test-Alpha"_s));
        const int alphaBefore = jobCount(u"Test-Alpha"_s);
        auto *again = form->findChild<RunReportWindow *>()->findChild<QPushButton *>(u"PrintAgainButton"_s);
        QCOMPARE(again->text(), u"Print These Again"_s);
        QTest::mouseClick(again, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.messageTexts().count(u"Done."_s), 2, 60'000);

        const QStringList texts = newJobTexts(kChosen, before);
        QCOMPARE(texts.size(), 4);
        QVERIFY2(texts.last().contains(u"Not Found"_s), qPrintable(texts.last()));
        QVERIFY2(!texts.join(u' ').contains(u"topsecret9"_s), qPrintable(texts.join(u' ')));
        QCOMPARE(jobCount(u"Test-Alpha"_s), alphaBefore);
        QTRY_COMPARE(form->findChildren<RunReportWindow *>().size(), 1);
        QCOMPARE(reportRows().size(), 1);
        QVERIFY2(reportRows().value(0).startsWith(reported), qPrintable(reportRows().value(0)));
    }

    // The jobs go to the chosen printer by name, never to whatever is the default.
    void aChosenPrinterThatIsGoneRefusesEachPage()
    {
        const QString doomed = QStringLiteral("Test-Doomed");
        addTestQueue(doomed);
        openWindow(doomed);
        removeTestQueue(doomed);
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
        const QStringList queues{u"Test-Alpha"_s, kServerDefault, kChosen};
        QList<int> before;
        for (const QString &queue : queues)
            before << jobCount(queue);
        startButton()->click();

        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 3);
        for (const auto &report : reports)
            QVERIFY2(report.text.contains(QStringLiteral("Test-Doomed")) &&
                         report.text.contains(QStringLiteral("APrint.DoItByFile at line 126\r\r")),
                     qPrintable(report.text));
        for (int i = 0; i < queues.size(); ++i)
            QCOMPARE(jobCount(queues[i]), before[i]);
        verifyRunEndedCleanly();
    }

    // A list file with Unix line ends has an empty last row; blank rows print nothing but still
    // count for the progress, and the progress text shows an address as it is written.
    void blankRowsPrintNothingAndAddressesShowAsWritten()
    {
        openWindow();
        QTemporaryDir folder;
        QFile list(folder.filePath(QStringLiteral("list.txt")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(
            (web.address(u"/one.html?a%pb"_s) + u"\n\n   \n"_s + web.address(u"/two.html"_s) + u"\n"_s).toUtf8());
        list.close();
        addListFile(*form->urlList(), list.fileName(), dialogs);
        QCOMPARE(form->urlList()->count(), 5);
        ProgressLog progress;
        connect(progressBar(), &QProgressBar::valueChanged, this, [&](int value) { progress.values << value; });
        connect(runEvents(), &RunEvents::pagePrinted, this, [&] { progress.texts << progressBar()->text(); });
        const int before = jobCount(kChosen);
        startButton()->click();

        QCOMPARE(jobCount(kChosen), before + 2);
        QCOMPARE(progress.values, (QList<int>{20, 40, 60, 80, 100, 0}));
        QCOMPARE(progress.texts, (QStringList{u"Processing: "_s + web.address(u"/one.html?a%pb"_s),
                                              u"Processing: "_s + web.address(u"/two.html"_s)}));
        QCOMPARE(dialogs.errorReports().size(), 0);
        verifyRunEndedCleanly();
    }

    // A page whose script never ends is given up with one report; the pages after it, from the same
    // site and from another, print, and nothing of it keeps running.
    void aStuckPageCostsOnlyItself()
    {
        openWindow();
        passTheReadinessBoundOnceTitled(u"Stuck"_s);
        addPages({u"/stuck.html"_s, u"/one.html"_s});
        form->urlList()->append(
            web.address(u"/two.html"_s).replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost")));
        const int before = jobCount(kChosen);
        QElapsedTimer clock;
        clock.start();
        startButton()->click();

        // The pages after it load at once: only the stuck page waits out the bound.
        QVERIFY2(clock.elapsed() < 25'000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(newJobTexts(kChosen, before),
                 (QStringList{u"Text of page one Text of page one"_s, u"Text of page two Text of page two"_s}));
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].text.contains(QStringLiteral("does not answer")), qPrintable(reports[0].text));
        verifyRunEndedCleanly();
        const double start = browserCpuSeconds();
        QTest::qWait(1000);
        QVERIFY2(browserCpuSeconds() - start < 0.5, "a renderer is still busy after the run");
    }

    // A renderer that ends (a crash, out of memory, killed) ends the wait for its page at once.
    void aRendererThatEndsCostsOnlyItsPage()
    {
        TestHttpServer::Page held;
        held.body = "<html><body><p>Held page</p>";
        held.delivery = TestHttpServer::Delivery::NeverFinish;
        web.serve(QStringLiteral("/held-open.html"), held);
        openWindow();
        addPages({u"/held-open.html"_s, u"/one.html"_s});
        QTimer killer;
        connect(&killer, &QTimer::timeout, this, [&] {
            const qint64 renderer = browser()->page()->renderProcessPid();
            if (browser()->navigatedAddress().endsWith(QLatin1String("held-open.html")) && renderer > 0) {
                ::kill(static_cast<pid_t>(renderer), SIGKILL);
                killer.stop();
            }
        });
        killer.start(500);
        const int before = jobCount(kChosen);
        QElapsedTimer clock;
        clock.start();
        startButton()->click();

        QVERIFY2(clock.elapsed() < 30'000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(newJobTexts(kChosen, before), QStringList{u"Text of page one Text of page one"_s});
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].text.contains(QStringLiteral("renderer ended")), qPrintable(reports[0].text));
        verifyRunEndedCleanly();
    }

    // A row whose page never comes, or whose address is too long for the browser, prints nothing
    // with one report; the window keeps answering while the long address is shown.
    void aRowWithoutItsPagePrintsNothing()
    {
        TestHttpServer::Page silent;
        silent.delivery = TestHttpServer::Delivery::NeverAnswer;
        web.serve(QStringLiteral("/silent.html"), silent);
        openWindow();
        addPages({u"/one.html"_s, u"/silent.html"_s});
        form->urlList()->append(web.address(u"/"_s) + QString(qsizetype{3} * 1024 * 1024, u'x'));
        addPages({u"/two.html"_s});
        QTimer events;
        qint64 largestGap = 0;
        QElapsedTimer sinceTick;
        QString longRowText;
        connect(&events, &QTimer::timeout, this, [&] {
            largestGap = std::max(largestGap, sinceTick.restart());
            // The bound on the wait passes once the browser has asked for the page that never comes.
            if (web.requestedPaths().contains(QStringLiteral("/silent.html")) && runClock->elapsed() == 0ns)
                runClock->advance(kReadinessTimeLimit);
        });
        // The long row's report comes while the bar shows that row.
        dialogs.onMessage = [&](const QString &text) {
            if (text.contains(QLatin1String("refused the address")))
                longRowText = progressBar()->text();
        };
        sinceTick.start();
        events.start(20);
        const int before = jobCount(kChosen);
        startButton()->click();
        events.stop();

        QCOMPARE(newJobTexts(kChosen, before),
                 (QStringList{u"Text of page one Text of page one"_s, u"Text of page two Text of page two"_s}));
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 2);
        QVERIFY2(reports[0].text.contains(QStringLiteral("No page after 60 seconds")), qPrintable(reports[0].text));
        QVERIFY2(reports[1].text.contains(QStringLiteral("refused the address")), qPrintable(reports[1].text));
        QVERIFY2(longRowText.startsWith(QStringLiteral("Processing: 127.0.0.1")) && longRowText.size() < 200,
                 qPrintable(longRowText.left(300)));
        QVERIFY2(largestGap < 1500, qPrintable(QString::number(largestGap)));
        verifyRunEndedCleanly();
    }
};

QUILLBRAE_TEST_MAIN(PrintRunFailuresTest)
#include "test_print_run_failures.moc"
