#include "printing/FakeBrowser.h"
#include "printing/PagePrinter.h"
#include "printing/RunLater.h"
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

    void printPage(FakeBrowser &browser, const QString &address = QStringLiteral("www.example.com"))
    {
        DoItByFile(
            browser, dialogs, *clock, [this] { return pause; }, address);
    }

private slots:
    void init()
    {
        log.clear();
        dialogs = FakeDialogs();
        pause.clear();
        IsFirstPage = false;
        clock = std::make_unique<ManualClock>();
        clock->onWait = [this](double seconds) { log << QStringLiteral("wait %1").arg(seconds); };
    }

    void cleanup() { resetProgramEndForTesting(); }

    void withoutPauseTheCommandsFollowEachOtherAndOnlyTheFirstPageGetsPageSetup()
    {
        FakeBrowser browser(log);
        IsFirstPage = true;
        printPage(browser);
        IsFirstPage = false;
        printPage(browser, QStringLiteral("  C:\\pages\\b.html "));
        QCOMPARE(log, (QStringList{u"Navigate www.example.com"_s, u"ReadyState"_s, u"ExecWB 8 2"_s, u"ExecWB 6 2"_s,
                                   u"Navigate   C:\\pages\\b.html "_s, u"ReadyState"_s, u"ExecWB 6 2"_s}));
        QCOMPARE(browser.readyStateTests, 2);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void thePauseFallsInThreeSlicesAtTheirPlaces()
    {
        FakeBrowser browser(log);
        pause = QStringLiteral("2.5");
        IsFirstPage = true;
        printPage(browser);
        QCOMPARE(log, (QStringList{u"Navigate www.example.com"_s, u"wait 0.5"_s, u"ReadyState"_s, u"wait 0.5"_s,
                                   u"ExecWB 8 2"_s, u"wait 0.5"_s, u"ExecWB 6 2"_s}));
        QVERIFY(clock->elapsed() >= 1400ms);
    }

    void theReadinessWaitHandlesEventsUntilThePageCompletes()
    {
        FakeBrowser browser(log);
        bool loaded = false;
        browser.readiness = [&](int) {
            return loaded ? BrowserControl::kReadyStateComplete : BrowserControl::kReadyStateLoading;
        };
        const RunLater loading(200ms, [&] { loaded = true; });
        printPage(browser);
        QVERIFY(loaded);
        QCOMPARE(log.last(), QStringLiteral("ExecWB 6 2"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aPageThatNeverCompletesIsPrintedAtTheTimeLimit()
    {
        FakeBrowser browser(log);
        QList<std::chrono::nanoseconds> testedAt;
        browser.readiness = [&](int) {
            testedAt << clock->elapsed();
            return BrowserControl::kReadyStateLoading;
        };
        const RunLater timePasses(10ms, [this] { clock->advance(kReadinessTimeLimit); });
        printPage(browser);
        QCOMPARE(testedAt.first(), 0ns);
        QCOMPARE(testedAt.last(), std::chrono::nanoseconds(kReadinessTimeLimit));
        QCOMPARE(log.last(), QStringLiteral("ExecWB 6 2"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void aFailingReadyStateEndsTheWaitWithOneReport()
    {
        FakeBrowser browser(log);
        browser.readiness = [](int) -> int { throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("gone")); };
        printPage(browser);
        QCOMPARE(browser.readyStateTests, 1);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.startsWith(
            QStringLiteral("gone\r\nin Quillbrae2021/08/31.APrint.DoItByFile at line 108\r\r")));
        QCOMPARE(log.last(), QStringLiteral("ExecWB 6 2"));
    }

    void aFailingNavigateIsReportedAndThePrintStillComes()
    {
        FakeBrowser browser(log);
        browser.failNavigate = true;
        printPage(browser);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.contains(QStringLiteral("APrint.DoItByFile at line 100\r\r")));
        QCOMPARE(log.last(), QStringLiteral("ExecWB 6 2"));
    }

    void aFailingPrintIsReportedAtItsLine()
    {
        FakeBrowser browser(log);
        browser.failPrint = true;
        printPage(browser);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.startsWith(
            QStringLiteral("The printer refused the page.\r\nin Quillbrae2021/08/31.APrint.DoItByFile at line 126")));
    }

    void closingTheWindowMidWaitStopsThePage()
    {
        FakeBrowser browser(log);
        pause = QStringLiteral("50");
        const RunLater closing(0ms, &beginProgramEnd);
        printPage(browser);
        QCOMPARE(clock->elapsed(), 0ms);
        QCOMPARE(log, (QStringList{u"Navigate www.example.com"_s, u"wait 10"_s}));
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QUILLBRAE_TEST_MAIN(PagePrinterTest)
#include "test_page_printer.moc"
