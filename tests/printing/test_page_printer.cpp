#include "printing/FakeBrowser.h"
#include "printing/RunLater.h"
#include "run/PagePrinter.h"
#include "run/PauseValue.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "support/FakeDialogs.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <memory>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

class PagePrinterTest : public QObject
{
    Q_OBJECT

    QStringList log;
    FakeDialogs dialogs;
    std::unique_ptr<ManualClock> clock;
    QString pause;
    WaitRules waitRules;
    bool skipFailedLoad = false;

    PageReport print(FakeBrowser &browser, const QString &address = QStringLiteral("www.example.com"),
                     bool firstPage = false)
    {
        PageRequest request;
        request.address = address;
        request.firstPage = firstPage;
        request.waitRules = waitRules;
        request.skipFailedLoad = skipFailedLoad;
        request.pauseSlice = [this](ErrorTrap &trap, int testLine, int waitLine) {
            waitPauseSlice(trap, *clock, testLine, waitLine, [this] { return pause; });
        };
        return printPage(browser, browser, *clock, dialogs, request);
    }

private slots:
    void init()
    {
        log.clear();
        dialogs = FakeDialogs();
        pause.clear();
        waitRules = WaitRules();
        skipFailedLoad = false;
        clock = std::make_unique<ManualClock>();
        clock->onWait = [this](double seconds) { log << QStringLiteral("wait %1").arg(seconds); };
    }

    void cleanup() { resetProgramEndForTesting(); }

    void withoutPauseTheCommandsFollowEachOtherAndOnlyTheFirstPageGetsPageSetup()
    {
        FakeBrowser browser(log);
        QVERIFY(print(browser, QStringLiteral("www.example.com"), true).clean());
        const PageReport second = print(browser, QStringLiteral("  C:\\pages\\b.html "));
        QCOMPARE(log,
                 (QStringList{u"load www.example.com"_s, u"complete?"_s, u"set up page"_s, u"render"_s, u"hand over"_s,
                              u"load   C:\\pages\\b.html "_s, u"complete?"_s, u"render"_s, u"hand over"_s}));
        QCOMPARE(browser.completeTests, 2);
        QCOMPARE(second.job, 1);
        QCOMPARE(second.address, QStringLiteral("  C:\\pages\\b.html "));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void thePauseFallsInThreeSlicesAtTheirPlaces()
    {
        FakeBrowser browser(log);
        pause = QStringLiteral("2.5");
        print(browser, QStringLiteral("www.example.com"), true);
        QCOMPARE(log, (QStringList{u"load www.example.com"_s, u"wait 0.5"_s, u"complete?"_s, u"wait 0.5"_s,
                                   u"set up page"_s, u"wait 0.5"_s, u"render"_s, u"hand over"_s}));
        QVERIFY(clock->elapsed() >= 1400ms);
    }

    void theReadinessWaitHandlesEventsUntilThePageCompletes()
    {
        FakeBrowser browser(log);
        bool loaded = false;
        browser.readiness = [&](int) { return loaded; };
        const RunLater loading(200ms, [&] { loaded = true; });
        print(browser);
        QVERIFY(loaded);
        QCOMPARE(log.last(), QStringLiteral("hand over"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aPageThatNeverCompletesIsPrintedAtTheTimeLimit()
    {
        FakeBrowser browser(log);
        QList<std::chrono::nanoseconds> testedAt;
        browser.readiness = [&](int) {
            testedAt << clock->elapsed();
            return false;
        };
        const RunLater timePasses(10ms, [this] { clock->advance(kReadinessTimeLimit); });
        print(browser);
        QCOMPARE(testedAt.first(), 0ns);
        QCOMPARE(testedAt.last(), std::chrono::nanoseconds(kReadinessTimeLimit));
        QCOMPARE(log.last(), QStringLiteral("hand over"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aFailingCompletenessTestEndsTheWaitWithOneReport()
    {
        FakeBrowser browser(log);
        browser.readiness = [](int) -> bool { throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("gone")); };
        print(browser);
        QCOMPARE(browser.completeTests, 1);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.startsWith(
            QStringLiteral("gone\r\nin Quillbrae2021/08/31.APrint.DoItByFile at line 108\r\r")));
        QCOMPARE(log.last(), QStringLiteral("hand over"));
    }

    void aFailingLoadIsReportedAndThePrintStillComes()
    {
        FakeBrowser browser(log);
        browser.failLoad = true;
        print(browser);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.contains(QStringLiteral("APrint.DoItByFile at line 100\r\r")));
        QCOMPARE(log.last(), QStringLiteral("hand over"));
    }

    void aFailingPrintIsReportedAtItsLine()
    {
        FakeBrowser browser(log);
        browser.failHandOver = true;
        const PageReport report = print(browser);
        QCOMPARE(report.outcome, PageReport::Outcome::Refused);
        QCOMPARE(report.printError, QStringLiteral("The printer refused the page."));
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.startsWith(
            QStringLiteral("The printer refused the page.\r\nin Quillbrae2021/08/31.APrint.DoItByFile at line 126")));
    }

    // The delay follows a page that is ready; a page whose element never came is a failed load,
    // skipped without the delay when failed loads are.
    void theDelayFollowsAReadyPageAndAMissingElementFailsTheLoad()
    {
        FakeBrowser browser(log);
        waitRules.delaySeconds = 2;
        QVERIFY(print(browser).clean());
        QCOMPARE(log,
                 (QStringList{u"load www.example.com"_s, u"complete?"_s, u"wait 2"_s, u"render"_s, u"hand over"_s}));

        log.clear();
        browser.finishError = u"selector not found"_s;
        skipFailedLoad = true;
        const PageReport report = print(browser);
        QCOMPARE(report.outcome, PageReport::Outcome::Skipped);
        QCOMPARE(report.loadError, u"selector not found"_s);
        QCOMPARE(log, (QStringList{u"load www.example.com"_s, u"complete?"_s}));
    }

    void closingTheWindowMidWaitStopsThePage()
    {
        FakeBrowser browser(log);
        pause = QStringLiteral("50");
        const RunLater closing(0ms, &beginProgramEnd);
        print(browser);
        QCOMPARE(clock->elapsed(), 0ms);
        QCOMPARE(log, (QStringList{u"load www.example.com"_s, u"wait 10"_s}));
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QUILLBRAE_TEST_MAIN(PagePrinterTest)
#include "test_page_printer.moc"
