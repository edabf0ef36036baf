#include "PrintServerTools.h"
#include "gui/Form1.h"
#include "gui/RealServices.h"
#include "gui/UrlListSelection.h"
#include "printers/PrinterSystem.h"
#include "printing/PagePrinter.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "printing/WaitSeconds.h"
#include "printing/WebBrowserControl.h"
#include "runtime/ProgramLifetime.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {
const QString kChosen = QStringLiteral("Test-Charlie");
const QString kServerDefault = QStringLiteral("Test-Bravo");

// The bar's value and text each time either changes.
struct ProgressLog
{
    QList<int> values;
    QStringList texts;
};
} // namespace

// Print runs through the real window, browser and private print server, with pages served on
// 127.0.0.1. Only the message boxes, the ping and the home-page draw are stand-ins.
class PrintRunTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    std::unique_ptr<FakePing> ping;
    std::unique_ptr<Form1> form;

    PrinterSystem &printers() { return *realServices().printers; }

    void openWindow(const QString &chosenPrinter = kChosen)
    {
        form = std::make_unique<Form1>(quietServices(dialogs, draw, opener));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->Combo1->setCurrentIndex(form->Combo1->findText(chosenPrinter));
        QCOMPARE(form->Combo1->currentText(), chosenPrinter);
        dialogs.messages.clear();
    }

    void addPages(const QStringList &paths)
    {
        for (const QString &path : paths)
            form->urlList()->append(web.address(path));
    }

    // Values as they change; texts as they stand when each page is printed.
    void recordProgress(ProgressLog &log)
    {
        connect(form->ProgressBar1, &QProgressBar::valueChanged, this, [&log](int value) { log.values << value; });
        connect(form->WebBrowser1, &WebBrowserControl::pagePrinted, this,
                [&log, this] { log.texts << form->ProgressBar1->format(); });
    }

    // The texts of the jobs that reached the queue since `before` jobs were there.
    static QStringList newJobTexts(const QString &queue, int before)
    {
        QStringList texts;
        for (const PrintedJob &job : jobsSince(queue, before))
            texts << job.text.simplified();
        return texts;
    }

    void verifyRunEndedCleanly()
    {
        QCOMPARE(dialogs.messageTexts().count(QStringLiteral("Done.")), 1);
        QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Done."));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        QCOMPARE(form->MousePointer(), Form1::kDefaultPointer);
        QCOMPARE(form->ProgressBar1->value(), 0);
        QCOMPARE(form->ProgressBar1->format(), QStringLiteral("Progress Bar"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        ping = std::make_unique<FakePing>(QLatin1String(kPingReply));
        for (const QString &name :
             {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")})
            web.serveHtml(QStringLiteral("/%1.html").arg(name), QStringLiteral("Page %1").arg(name),
                          QStringLiteral("Text of page %1").arg(name));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }

    void init() { dialogs = FakeDialogs(); }

    void cleanup()
    {
        form.reset();
        // A test that failed to give the default back must not fail the ones after it.
        if (printers().defaultPrinterName() != kServerDefault)
            runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), kServerDefault});
        setWaitSecondsObserver({});
        setReadinessTimeLimit(60s);
        resetProgramEndForTesting();
    }

    void fourPagesPrintInListOrderOnTheChosenPrinter()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s, u"/four.html"_s});
        ProgressLog progress;
        recordProgress(progress);
        QList<bool> firstPageFlags;
        connect(form->WebBrowser1, &WebBrowserControl::pagePrinted, this,
                [&](int, const QString &printer) { firstPageFlags << (IsFirstPage && printer == kChosen); });
        const int before = jobCount(kChosen);

        QTest::mouseClick(form->PushButton2, Qt::LeftButton);

        QCOMPARE(newJobTexts(kChosen, before),
                 (QStringList{u"Text of page one Text of page one"_s, u"Text of page two Text of page two"_s,
                              u"Text of page three Text of page three"_s, u"Text of page four Text of page four"_s}));
        QCOMPARE(firstPageFlags, (QList<bool>{true, false, false, false}));
        QVERIFY(form->WebBrowser1->pageSetup().has_value());
        QCOMPARE(progress.values, (QList<int>{25, 50, 75, 100, 0}));
        QCOMPARE(progress.texts, (QStringList{u"Processing: "_s + web.address(u"/one.html"_s),
                                              u"Processing: "_s + web.address(u"/two.html"_s),
                                              u"Processing: "_s + web.address(u"/three.html"_s),
                                              u"Processing: "_s + web.address(u"/four.html"_s)}));
        QCOMPARE(dialogs.messageTexts(), QStringList{u"Done."_s});
        verifyRunEndedCleanly();
    }

    void theProgressTextNamesThePartAfterTheLastBackslash()
    {
        openWindow();
        form->urlList()->append(web.address(QStringLiteral("/one.html?x=a\\b\\c.html")));
        ProgressLog progress;
        recordProgress(progress);
        form->PushButton2_Click();
        QCOMPARE(progress.texts, QStringList{u"Processing: c.html"_s});
        QVERIFY(web.requestedPaths().last().startsWith(QStringLiteral("/one.html?x=a")));
        verifyRunEndedCleanly();
    }

    void anEmptyListOnlySaysSo()
    {
        openWindow();
        form->PushButton2_Click();
        QCOMPARE(dialogs.messageTexts(), QStringList{u"No files added."_s});
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        QCOMPARE(form->MousePointer(), Form1::kDefaultPointer);
        QCOMPARE(form->ProgressBar1->format(), QStringLiteral("Progress Bar"));
    }

    // Each wait is recorded with what the browser was doing when it began, which tells the five
    // places apart: before loading, after navigating, after completion, before and after printing.
    void aPauseFallsInFiveSlicesPerAddress()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s});
        form->Text2->setText(QStringLiteral("2.5"));
        int printed = 0;
        connect(form->WebBrowser1, &WebBrowserControl::pagePrinted, this, [&] { ++printed; });
        QStringList waits;
        setWaitSecondsObserver([&](double seconds) {
            WebBrowserControl &browser = *form->WebBrowser1;
            waits << QStringLiteral("%1 %2 ready=%3 printed=%4")
                         .arg(seconds)
                         .arg(browser.navigatedAddress().section(QLatin1Char('/'), -1))
                         .arg(browser.ReadyState() == BrowserControl::kReadyStateComplete ? u"true"_s : u"false"_s)
                         .arg(printed);
        });
        QElapsedTimer clock;
        clock.start();
        form->PushButton2_Click();

        QCOMPARE(waits, (QStringList{u"0.5  ready=false printed=0"_s, u"0.5 one.html ready=false printed=0"_s,
                                     u"0.5 one.html ready=true printed=0"_s, u"0.5 one.html ready=true printed=0"_s,
                                     u"0.5 one.html ready=true printed=1"_s, u"0.5 one.html ready=true printed=1"_s,
                                     u"0.5 two.html ready=false printed=1"_s, u"0.5 two.html ready=true printed=1"_s,
                                     u"0.5 two.html ready=true printed=1"_s, u"0.5 two.html ready=true printed=2"_s}));
        QVERIFY(clock.elapsed() >= 4500);
        verifyRunEndedCleanly();
    }

    void pagesThatFailToLoadArePrintedAsTheyStand()
    {
        TestHttpServer::Page held;
        held.body = QByteArray("<html><body><p>Held page start</p>") + QByteArray(20'000, ' ') + "</body></html>";
        held.delivery = TestHttpServer::Delivery::NeverFinish;
        web.serve(QStringLiteral("/held.html"), held);
        TestHttpServer::Page cut = held;
        cut.body.replace("Held page start", "Cut page start");
        cut.delivery = TestHttpServer::Delivery::CloseHalfway;
        web.serve(QStringLiteral("/cut.html"), cut);
        setReadinessTimeLimit(2s);

        openWindow();
        form->urlList()->append(QStringLiteral("http://nonexistent.invalid/"));
        addPages({u"/missing.html"_s, u"/held.html"_s, u"/cut.html"_s, u"/one.html"_s});
        const int before = jobCount(kChosen);
        form->PushButton2_Click();

        const QStringList texts = newJobTexts(kChosen, before);
        QCOMPARE(texts.size(), 5);
        QVERIFY2(texts[1].contains(QStringLiteral("Not Found")), qPrintable(texts[1]));
        QVERIFY2(texts[2].contains(QStringLiteral("Held page start")), qPrintable(texts[2]));
        QVERIFY2(texts[3].contains(QStringLiteral("Cut page start")), qPrintable(texts[3]));
        QVERIFY2(texts[4].contains(QStringLiteral("Text of page one")), qPrintable(texts[4]));
        QCOMPARE(dialogs.errorReports().size(), 0);
        verifyRunEndedCleanly();
    }

    void theChosenPrinterDeletedMidRunEndsTheRunAllTheSame()
    {
        const QString doomed = QStringLiteral("Test-Doomed");
        addTestQueue(doomed);
        openWindow(doomed);
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
        connect(form->WebBrowser1, &WebBrowserControl::pagePrinted, this, [&](int, const QString &printer) {
            if (printer == doomed)
                removeTestQueue(doomed);
        });
        form->PushButton2_Click();

        // The remaining pages go to whichever printer is the default then, or fail at the print
        // command; nothing else is reported.
        for (const auto &report : dialogs.errorReports())
            QVERIFY2(report.text.contains(QStringLiteral("APrint.DoItByFile at line 126\r\r")),
                     qPrintable(report.text));
        QVERIFY(dialogs.errorReports().size() <= 2);
        verifyRunEndedCleanly();
    }

    void duringARunOnlyAddingAndDraggingChangeTheList()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
        form->Text2->setText(QStringLiteral("0.5"));
        dialogs.inputAnswers.enqueue(web.address(QStringLiteral("/four.html")));
        const int before = jobCount(kChosen);
        bool acted = false;
        QList<int> pointersDuringRun;
        setWaitSecondsObserver([&](double) {
            if (acted)
                return;
            acted = true;
            pointersDuringRun << form->MousePointer();
            UrlListSelection::of(*form->ListView1).selectPosition(2);
            form->PushButton7_Click();      // clear
            form->ListView1_KeyDown(46, 0); // Delete
            form->ListView1_DblClick();     // remove
            form->PushButton3_Click();      // move up
            form->PushButton5_Click();      // move down
            form->PushButton_MouseMove();   // the hand would replace the hourglass
            form->PushButton1_Click();      // add: appended, not printed by this run
            form->PushButton2_Click();      // a second start
            // Drag row 2 onto row 3: the run prints whatever stands at each position when it gets there.
            form->ListView1_ItemClick();
            form->ListView1_MouseDown();
            const QRect third = form->ListView1->visualRect(form->urlList()->index(2, 0));
            form->ListView1_MouseMove(third.center().x(), third.center().y());
            form->ListView1_MouseUp();
            pointersDuringRun << form->MousePointer() << form->cursor().shape();
        });
        form->PushButton2_Click();

        QVERIFY(acted);
        QCOMPARE(pointersDuringRun, (QList<int>{Form1::kBusyPointer, Form1::kBusyPointer, Qt::WaitCursor}));
        QCOMPARE(form->urlList()->count(), 4);
        QCOMPARE(form->urlList()->text(4), web.address(QStringLiteral("/four.html")));
        QCOMPARE(newJobTexts(kChosen, before),
                 (QStringList{u"Text of page one Text of page one"_s, u"Text of page three Text of page three"_s,
                              u"Text of page two Text of page two"_s}));
        QCOMPARE(dialogs.errorReports().size(), 0);
        verifyRunEndedCleanly();
    }

    void closingTheWindowMidRunGivesTheDefaultBackAndStops()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s});
        form->Text2->setText(QStringLiteral("5"));
        const int before = jobCount(kChosen);
        setWaitSecondsObserver([&](double) {
            if (!programEnding())
                form->close();
        });
        QElapsedTimer clock;
        clock.start();
        form->PushButton2_Click();

        QVERIFY(clock.elapsed() < 30'000);
        QVERIFY(programEnding());
        QCOMPARE(jobCount(kChosen), before);
        QVERIFY(!dialogs.messageTexts().contains(QStringLiteral("Done.")));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }

    void thePrintServerStoppingMidRunFailsTheRemainingPages()
    {
        // A server of its own, so that stopping it leaves the other tests' server alone.
        QTemporaryDir folder(QStringLiteral("/tmp/quillbrae-stop-XXXXXX"));
        const QString script = QStringLiteral(QUILLBRAE_SOURCE_DIR "/scripts/print-server");
        runCupsTool(script, {QStringLiteral("start"), folder.path()});
        bool stopped = false;
        auto stop = [&] {
            if (!stopped)
                runCupsTool(script, {QStringLiteral("stop"), folder.path()});
            stopped = true;
        };
        {
            OtherPrintServer server(folder.path() + QStringLiteral("/cups.sock"));
            openWindow();
            addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
            connect(form->WebBrowser1, &WebBrowserControl::pagePrinted, this, stop);
            form->PushButton2_Click();

            QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Done."));
            const auto reports = dialogs.errorReports();
            QCOMPARE(reports.size(), 2);
            for (const auto &report : reports)
                QVERIFY2(report.text.contains(QStringLiteral("APrint.DoItByFile at line 126\r\r")),
                         qPrintable(report.text));
            QCOMPARE(form->MousePointer(), Form1::kDefaultPointer);
        }
        stop();
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }
};

QUILLBRAE_TEST_MAIN(PrintRunTest)
#include "test_print_run.moc"
