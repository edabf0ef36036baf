#include "PrintRunWindowTest.h"
#include "gui/RunReportWindow.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// Print runs through the window that go as asked: the pages in list order on the chosen printer
// or in a folder, the progress shown, the pause kept, and a start with nothing to print.
class PrintRunTest : public PrintRunWindowTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }
    void init() { resetStandIns(); }
    void cleanup() { closeWindow(); }

    // The next page loads while one prints, in the window's second browser; the jobs keep the
    // list's order.
    void fourPagesPrintInListOrderOnTheChosenPrinter()
    {
        PageSetup loadingAhead = oneAtATime();
        loadingAhead.pagesInFlight = 2;
        savePageSetup(loadingAhead);
        const auto restore = qScopeGuard([] { savePageSetup(oneAtATime()); });
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s, u"/four.html"_s});
        ProgressLog progress;
        recordProgress(progress);
        QList<bool> onTheChosenPrinter;
        QList<bool> nextRequested;
        const qsizetype twoRequested = web.requestedPaths().count(u"/two.html"_s);
        qint64 lastRenderer = 0;
        connect(runEvents(), &RunEvents::pagePrinted, this, [&](int, const QString &printer) {
            onTheChosenPrinter << (printer == kChosen);
            nextRequested << (web.requestedPaths().count(u"/two.html"_s) > twoRequested);
            lastRenderer = browser()->page()->renderProcessPid();
        });
        // The last page's renderer ends while "Done." stands open: the window is past caring. The
        // progress bar is back to its rest by then.
        QString progressAtDone;
        dialogs.onMessage = [&](const QString &) {
            progressAtDone = progressBar()->format();
            ::kill(static_cast<pid_t>(lastRenderer), SIGKILL);
            QTest::qWait(500);
        };
        const int before = jobCount(kChosen);

        QTest::mouseClick(startButton(), Qt::LeftButton);

        QCOMPARE(newJobTexts(kChosen, before),
                 (QStringList{u"Text of page one Text of page one"_s, u"Text of page two Text of page two"_s,
                              u"Text of page three Text of page three"_s, u"Text of page four Text of page four"_s}));
        QCOMPARE(onTheChosenPrinter, (QList<bool>{true, true, true, true}));
        QCOMPARE(nextRequested.value(0), true);
        QCOMPARE(progress.values, (QList<int>{25, 50, 75, 100, 0}));
        QCOMPARE(progress.texts, (QStringList{u"Processing: "_s + web.address(u"/one.html"_s),
                                              u"Processing: "_s + web.address(u"/two.html"_s),
                                              u"Processing: "_s + web.address(u"/three.html"_s),
                                              u"Processing: "_s + web.address(u"/four.html"_s)}));
        QCOMPARE(dialogs.messageTexts(), QStringList{u"Done."_s});
        QCOMPARE(progressAtDone, u"Progress Bar"_s);
        QVERIFY(!form->findChild<RunReportWindow *>());
        // Both browsers stay inside the window, out of sight: a window of their own would lie over
        // the user's screen, unpainted, and take its clicks.
        QCOMPARE(form->findChildren<PageBrowser *>().size(), 2);
        for (const PageBrowser *pages : form->findChildren<PageBrowser *>())
            QVERIFY(!pages->isWindow() && !form->rect().intersects(pages->geometry()));
        verifyRunEndedCleanly();
    }

    // Pictures that load only as they come into view are printed from both of the window's
    // browsers, though neither is ever on the screen.
    void picturesThatLoadOnScrollingArePrintedOutOfSight()
    {
        PageSetup loadingAhead = oneAtATime();
        loadingAhead.pagesInFlight = 2;
        savePageSetup(loadingAhead);
        const auto restore = qScopeGuard([] { savePageSetup(oneAtATime()); });
        // Twenty pages, each but the first made ready while the one before prints.
        QStringList pages;
        for (int i = 1; i <= 20; ++i) {
            pages << u"/lazy-%1.html"_s.arg(i);
            web.serveLazyPictures(pages.last(), 8);
        }
        openWindow();
        addPages(pages);
        const int before = jobCount(kChosen);
        QTest::mouseClick(startButton(), Qt::LeftButton);
        const QList<PrintedJob> jobs = jobsSince(kChosen, before);
        QCOMPARE(jobs.size(), 20);
        QList<int> pictures;
        for (const PrintedJob &job : jobs)
            pictures << pictureCount(job.id);
        QCOMPARE(pictures, QList<int>(20, 8));
        verifyRunEndedCleanly();
    }

    // A run with "Save as PDF…" saves each page in the folder chosen, a file a page, from either
    // browser of the run, with the progress and "Done." of a print run and no switch of the default
    // printer; the next run offers that folder again, and a cancelled choice starts nothing.
    void saveAsPdfSavesEachPageInTheChosenFolder()
    {
        PageSetup loadingAhead = oneAtATime();
        loadingAhead.pagesInFlight = 2;
        savePageSetup(loadingAhead);
        const auto restore = qScopeGuard([] { savePageSetup(oneAtATime()); });
        openWindow();
        auto *printerBox = child<QComboBox>(*form, "Combo1");
        printerBox->setCurrentIndex(printerBox->count() - 1);
        QCOMPARE(printerBox->currentText(), u"Save as PDF…"_s);
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
        QList<int> progress;
        connect(progressBar(), &QProgressBar::valueChanged, this, [&](int value) { progress << value; });
        QStringList defaultsWhileSaving;
        connect(runEvents(), &RunEvents::pageSaved, this,
                [&] { defaultsWhileSaving << printers().defaultPrinterName(); });
        const QTemporaryDir folder;
        dialogs.folderAnswers.enqueue(folder.path());
        const int before = jobCount(kChosen) + jobCount(kServerDefault);

        QTest::mouseClick(startButton(), Qt::LeftButton);

        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{u"001 Page one.pdf"_s, u"002 Page two.pdf"_s, u"003 Page three.pdf"_s}));
        QFile first(folder.filePath(u"001 Page one.pdf"_s));
        QVERIFY(first.open(QIODevice::ReadOnly) && first.read(5) == "%PDF-");
        QCOMPARE(defaultsWhileSaving, QStringList(3, kServerDefault));
        QCOMPARE(progress, (QList<int>{33, 67, 100, 0}));
        QCOMPARE(jobCount(kChosen) + jobCount(kServerDefault), before);
        verifyRunEndedCleanly();

        dialogs = FakeDialogs();
        startButton()->click();
        QCOMPARE(dialogs.folderRequests.size(), 1);
        QCOMPARE(dialogs.folderRequests[0].startFolder, folder.path());
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 3);
        QCOMPARE(pointerShape(), WindowPointer::Shape::Arrow);
    }

    void theProgressTextNamesThePartAfterTheLastBackslash()
    {
        openWindow();
        form->urlList()->append(web.address(QStringLiteral("/one.html?x=a\\b\\c.html")));
        ProgressLog progress;
        recordProgress(progress);
        startButton()->click();
        QCOMPARE(progress.texts, QStringList{u"Processing: c.html"_s});
        QVERIFY(web.requestedPaths().last().startsWith(QStringLiteral("/one.html?x=a")));
        verifyRunEndedCleanly();
    }

    void anEmptyListOnlySaysSo()
    {
        openWindow();
        startButton()->click();
        QCOMPARE(dialogs.messageTexts(), QStringList{u"No files added."_s});
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        QCOMPARE(pointerShape(), WindowPointer::Shape::Arrow);
        QCOMPARE(progressBar()->format(), QStringLiteral("Progress Bar"));
    }

    // With printers but no default, none is chosen at first: a start says where to choose one and
    // prints nothing anywhere.
    void withNoPrinterChosenAStartOnlySaysSo()
    {
        openWindow();
        child<QComboBox>(*form, "Combo1")->setCurrentIndex(-1);
        addPages({u"/one.html"_s});
        const int before = jobCount(kChosen) + jobCount(kServerDefault);
        QTest::mouseClick(startButton(), Qt::LeftButton);
        QCOMPARE(dialogs.messageTexts(),
                 QStringList{u"No printer is chosen. Choose one under \"Select Printer\", or \"Save as PDF…\" to keep "
                             u"the pages as files."_s});
        QVERIFY(dialogs.folderRequests.isEmpty());
        QCOMPARE(jobCount(kChosen) + jobCount(kServerDefault), before);
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        QCOMPARE(pointerShape(), WindowPointer::Shape::Arrow);
    }

    // Each wait is recorded with what the browser was doing when it began, which tells the five
    // places apart: before loading, after navigating, after completion, before and after printing.
    void aPauseFallsInFiveSlicesPerAddress()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s});
        pauseBox()->setText(QStringLiteral("2.5"));
        int printed = 0;
        connect(runEvents(), &RunEvents::pagePrinted, this, [&] { ++printed; });
        QStringList waits;
        runClock->onWait = [&](double seconds) {
            PageBrowser &browser = *this->browser();
            waits << QStringLiteral("%1 %2 ready=%3 printed=%4")
                         .arg(seconds)
                         .arg(browser.navigatedAddress().section(QLatin1Char('/'), -1))
                         .arg(browser.loadComplete() ? u"true"_s : u"false"_s)
                         .arg(printed);
        };
        startButton()->click();

        QCOMPARE(waits, (QStringList{u"0.5  ready=false printed=0"_s, u"0.5 one.html ready=false printed=0"_s,
                                     u"0.5 one.html ready=true printed=0"_s, u"0.5 one.html ready=true printed=0"_s,
                                     u"0.5 one.html ready=true printed=1"_s, u"0.5 one.html ready=true printed=1"_s,
                                     u"0.5 two.html ready=false printed=1"_s, u"0.5 two.html ready=true printed=1"_s,
                                     u"0.5 two.html ready=true printed=1"_s, u"0.5 two.html ready=true printed=2"_s}));
        QVERIFY(runClock->elapsed() >= 4500ms);
        verifyRunEndedCleanly();
    }
};

QUILLBRAE_TEST_MAIN(PrintRunTest)
#include "test_print_run.moc"
