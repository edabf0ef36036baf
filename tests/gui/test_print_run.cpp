#include "PrintServerTools.h"
#include "PrintServerWindowTest.h"
#include "browser/PageBrowser.h"
#include "gui/ListFileAdding.h"
#include "gui/MainWindow.h"
#include "gui/RunReportWindow.h"
#include "gui/UrlListSelection.h"
#include "gui/WindowPointer.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "run/PagePrinter.h"
#include "run/RunEvents.h"
#include "run/StoredSettings.h"
#include "runtime/ProgramLifetime.h"
#include "support/ProcessTree.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QQuickWindow>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <csignal>
#include <memory>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {
const QString kChosen = QStringLiteral("Test-Charlie");

// The bar's value and text each time either changes.
struct ProgressLog
{
    QList<int> values;
    QStringList texts;
};
} // namespace

// Print runs through the real window, browser and private print server.
class PrintRunTest : public PrintServerWindowTest
{
    Q_OBJECT

    // The window's controls the runs are started and watched through.
    QLineEdit *pauseBox() { return child<QLineEdit>(*form, "Text2"); }
    QTreeView *listView() { return child<QTreeView>(*form, "ListView1"); }
    QProgressBar *progressBar() { return child<QProgressBar>(*form, "ProgressBar1"); }
    QPushButton *startButton() { return child<QPushButton>(*form, "PushButton2"); }
    WindowPointer::Shape pointerShape() { return child<WindowPointer>(*form, "WindowPointer")->shape(); }
    PageBrowser *browser() { return child<PageBrowser>(*form, "WebBrowser1"); }
    RunEvents *runEvents() { return form->findChild<RunEvents *>(QStringLiteral("RunEvents")); }

    void openWindow(const QString &chosenPrinter = kChosen) { PrintServerWindowTest::openWindow(chosenPrinter); }

    void addPages(const QStringList &paths)
    {
        for (const QString &path : paths)
            form->urlList()->append(web.address(path));
    }

    // The run's clock passes the bound on the wait for a page to complete once the page's title
    // has come, as it would while a page that never completes holds the run. The title heads the
    // page: what follows it has been read by then, and the page stands as it will when printed.
    void passTheReadinessBoundOnceTitled(const QString &title)
    {
        connect(browser(), &QWebEngineView::titleChanged, this, [this, title](const QString &shown) {
            if (shown == title)
                runClock->advance(kReadinessTimeLimit);
        });
    }

    // Values as they change; texts as they stand when each page is printed.
    void recordProgress(ProgressLog &log)
    {
        connect(progressBar(), &QProgressBar::valueChanged, this, [&log](int value) { log.values << value; });
        connect(runEvents(), &RunEvents::pagePrinted, this, [&log, this] { log.texts << progressBar()->format(); });
    }

    // The texts of the jobs that reached the queue since `before` jobs were there.
    static QStringList newJobTexts(const QString &queue, int before)
    {
        QStringList texts;
        for (const PrintedJob &job : jobsSince(queue, before))
            texts << job.text.simplified();
        return texts;
    }

    // What the browser's own processes have used so far.
    static double browserCpuSeconds()
    {
        double seconds = 0;
        for (const pid_t child : descendantProcesses(::getpid()))
            seconds += processUsage(child).cpuSeconds;
        return seconds;
    }

    void verifyRunEndedCleanly()
    {
        QCOMPARE(dialogs.messageTexts().count(QStringLiteral("Done.")), 1);
        QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Done."));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        QCOMPARE(pointerShape(), WindowPointer::Shape::Arrow);
        QCOMPARE(progressBar()->value(), 0);
        QCOMPARE(progressBar()->format(), QStringLiteral("Progress Bar"));
    }

    // These runs are told apart by each page's own text alone, and watched through the window's
    // one browser: a page at a time, unless a test says otherwise.
    static PageSetup oneAtATime()
    {
        PageSetup setup = pagesAlone();
        setup.pagesInFlight = 1;
        return setup;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        savePageSetup(oneAtATime());
        for (const QString &name :
             {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")})
            web.serveHtml(QStringLiteral("/%1.html").arg(name), QStringLiteral("Page %1").arg(name),
                          QStringLiteral("Text of page %1").arg(name));
        TestHttpServer::Page stuck;
        // The title comes from the script itself, so it tells that the endless loop has begun.
        stuck.body = "<!DOCTYPE html><html><head><title>Loading</title></head><body><p>Stuck</p>"
                     "<script>document.title = 'Stuck'; while (true) {}</script></body></html>";
        web.serve(QStringLiteral("/stuck.html"), stuck);
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
        // The test display's OpenGL is Mesa's software one, as on any virtual display: the runs
        // here draw their browsers in software, as users' runs there do.
        QCOMPARE(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
    }

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

    void closingTheWindowWhileAPageIsStuck()
    {
        openWindow();
        addPages({u"/stuck.html"_s, u"/one.html"_s});
        QTimer closing;
        closing.setSingleShot(true);
        connect(&closing, &QTimer::timeout, form.get(), [this] { form->close(); });
        closing.start(2000);
        startButton()->click();

        QVERIFY(programEnding());
        QVERIFY(!dialogs.messageTexts().contains(QStringLiteral("Done.")));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }

    void duringARunOnlyAddingAndDraggingChangeTheList()
    {
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
        pauseBox()->setText(QStringLiteral("0.5"));
        dialogs.inputAnswers.enqueue(web.address(QStringLiteral("/four.html")));
        const int before = jobCount(kChosen);
        bool acted = false;
        QList<WindowPointer::Shape> pointersDuringRun;
        bool busyCursor = false;
        runClock->onWait = [&](double) {
            if (acted)
                return;
            acted = true;
            pointersDuringRun << pointerShape();
            UrlListSelection::of(*listView()).selectPosition(2);
            QWidget *rows = listView()->viewport();
            const QPoint second = listView()->visualRect(form->urlList()->index(1, 0)).center();
            child<QPushButton>(*form, "PushButton7")->click(); // clear
            QTest::keyClick(listView(), Qt::Key_Delete);
            QTest::mouseDClick(rows, Qt::LeftButton, Qt::NoModifier, second); // remove
            child<QPushButton>(*form, "PushButton3")->click();                // move up
            child<QPushButton>(*form, "PushButton5")->click();                // move down
            // The hand would replace the hourglass.
            QMouseEvent overButton(QEvent::MouseMove, QPointF(3, 3), startButton()->mapToGlobal(QPointF(3, 3)),
                                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(startButton(), &overButton);
            child<QPushButton>(*form, "PushButton1")->click(); // add: appended, not printed by this run
            startButton()->click();                            // a second start
            // Drag row 2 onto row 3: the run prints whatever stands at each position when it gets there.
            const QRect third = listView()->visualRect(form->urlList()->index(2, 0));
            QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, second);
            QTest::mouseMove(rows, third.center());
            QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, third.center());
            pointersDuringRun << pointerShape();
            busyCursor = form->cursor().shape() == Qt::WaitCursor;
        };
        startButton()->click();

        QVERIFY(acted);
        QCOMPARE(pointersDuringRun,
                 (QList<WindowPointer::Shape>{WindowPointer::Shape::Busy, WindowPointer::Shape::Busy}));
        QVERIFY(busyCursor);
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
        pauseBox()->setText(QStringLiteral("5"));
        const int before = jobCount(kChosen);
        runClock->onWait = [&](double) {
            if (!programEnding())
                form->close();
        };
        QElapsedTimer clock;
        clock.start();
        startButton()->click();

        QVERIFY(clock.elapsed() < 30'000);
        QVERIFY(programEnding());
        QCOMPARE(jobCount(kChosen), before);
        QVERIFY(!dialogs.messageTexts().contains(QStringLiteral("Done.")));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }

    void thePrintServerStoppingMidRunFailsTheRemainingPages()
    {
        {
            OwnPrintServer server;
            openWindow();
            addPages({u"/one.html"_s, u"/two.html"_s, u"/three.html"_s});
            connect(runEvents(), &RunEvents::pagePrinted, this, [&] { server.stop(); });
            startButton()->click();

            QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Done."));
            const auto reports = dialogs.errorReports();
            QCOMPARE(reports.size(), 2);
            for (const auto &report : reports)
                QVERIFY2(report.text.contains(QStringLiteral("APrint.DoItByFile at line 126\r\r")),
                         qPrintable(report.text));
            QCOMPARE(pointerShape(), WindowPointer::Shape::Arrow);
        }
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }

    // A print server that hangs (stopped, not gone) holds the print-server thread, never the window.
    void aHungPrintServerNeverFreezesTheWindow()
    {
        OwnPrintServer server;
        openWindow();
        addPages({u"/one.html"_s, u"/two.html"_s});
        connect(runEvents(), &RunEvents::pagePrinted, this, [&] { server.signal(SIGSTOP); });
        QElapsedTimer sinceTick;
        qint64 largestGap = 0;
        QTimer ticks;
        connect(&ticks, &QTimer::timeout, this, [&] { largestGap = std::max(largestGap, sinceTick.restart()); });
        sinceTick.start();
        ticks.start(100);
        startButton()->click();
        ticks.stop();
        server.signal(SIGCONT);

        qInfo("largest gap between 100 ms ticks with a hung print server: %lld ms", largestGap);
        QVERIFY2(largestGap < 1500, qPrintable(QString::number(largestGap)));
        QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Done."));
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].text.contains(QStringLiteral("does not answer")), qPrintable(reports[0].text));
        QCOMPARE(printers().defaultPrinterName(), kServerDefault);
    }
};

QUILLBRAE_TEST_MAIN(PrintRunTest)
#include "test_print_run.moc"
