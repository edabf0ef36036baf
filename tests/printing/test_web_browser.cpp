#include "PrintServerTools.h"
#include "browser/BrowserPool.h"
#include "browser/PageBrowser.h"
#include "browser/PageScript.h"
#include "printers/CupsPrinterSystem.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "run/PrintRun.h"
#include "run/RunEvents.h"
#include "runtime/EventSleep.h"
#include "runtime/RuntimeError.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {
// The default printer as this says, without touching the user's settings; the jobs and page
// layouts are the private print server's.
class ChosenDefault : public CupsPrinterSystem
{
public:
    QStringList printerNames() override { return {name}; }
    QString defaultPrinterName() override { return name; }
    void switchDefault(const QString &newName) override { name = newName; }
    QString name = QStringLiteral("Test-Charlie");
};

constexpr int kLoadTimeoutMs = 30'000;

QString pdfInfo(int jobId)
{
    return readJobDocument(QStringLiteral("pdfinfo"), {}, jobId);
}
} // namespace

class WebBrowserTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    ChosenDefault printers;
    QWidget window;
    BrowserPool browsers{nullptr, nullptr, &window};
    PageBrowser *browser = nullptr;
    RunEvents events;

    bool load(const QString &address)
    {
        browser->loadAddress(address, false);
        // Complete must never carry over from the page before.
        if (browser->loadComplete())
            return false;
        // The program's own wait: a test's polling wait starves the browser of its event loop.
        return sleepUntil([&] { return browser->loadComplete(); }, QDeadlineTimer(kLoadTimeoutMs));
    }

    // A run to the queue, with pages as they are.
    std::unique_ptr<PrintRun> runTo(const QString &queue)
    {
        return std::make_unique<PrintRun>(printers, browsers, events, RunPages(QStringList()),
                                          PageTarget::printer(queue), RunOptions{pagesAlone()});
    }

    // Renders the loaded page and has a run hand it to the queue.
    static Delivery printWith(PrintRun &run, PageBrowser &browser)
    {
        return run.handOver(browser.render(run.sheetRequest()), {});
    }

    // Prints the loaded page and gives back what reached the queue.
    PrintedJob printToQueue(const QString &queue)
    {
        const int before = jobCount(queue);
        QSignalSpy printed(&events, &RunEvents::pagePrinted);
        printWith(*runTo(queue), *browser);
        const QList<PrintedJob> jobs = jobsSince(queue, before);
        if (printed.size() != 1 || jobs.size() != 1 || printed[0][0].toInt() != jobs.last().id)
            return {};
        return jobs.last();
    }

private slots:
    void initTestCase()
    {
        window.resize(200, 200);
        browser = &browsers.browser(0);
        window.show();
        web.serveHtml(QStringLiteral("/a.html"), QStringLiteral("Page Alpha"), QStringLiteral("Alpha words here"));
        web.serveHtml(QStringLiteral("/b.html"), QStringLiteral("Page Bravo"), QStringLiteral("Bravo words here"));
    }

    void aTypedAddressLoadsAndCompletes()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        QVERIFY(load(web.address(QStringLiteral("/b.html"))));
        QCOMPARE(web.requestedPaths().filter(QStringLiteral(".html")),
                 (QStringList{QStringLiteral("/a.html"), QStringLiteral("/b.html")}));
        QCOMPARE(browser->navigatedAddress(), web.address(QStringLiteral("/b.html")));
    }

    void addressesThatGiveNoPageStillComplete_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("nothing listening") << QStringLiteral("http://127.0.0.1:9/");
        QTest::newRow("script address") << QStringLiteral("javascript:document.title='x'");
        QTest::newRow("empty") << QString();
        QTest::newRow("mail link") << QStringLiteral("mailto:someone@example.com");
    }

    void addressesThatGiveNoPageStillComplete()
    {
        QFETCH(QString, address);
        QVERIFY(load(address));
    }

    void aPageThatNeverFinishesStaysLoadingAndDoesNotHoldTheNext()
    {
        TestHttpServer::Page held;
        held.body = QByteArray("<html><body><p>still coming</p>") + QByteArray(20'000, 'x') + "</body></html>";
        held.delivery = TestHttpServer::Delivery::NeverFinish;
        web.serve(QStringLiteral("/held.html"), held);
        browser->loadAddress(web.address(QStringLiteral("/held.html")), false);
        QTest::qWait(2000);
        QVERIFY(!browser->loadComplete());
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
    }

    // An element that is there ends the wait for it at once; a selector the browser can't read is
    // said to be so at once, not taken for one that never matches.
    void finishingAPageWaitsForItsElement()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        const QDeadlineTimer bound(kLoadTimeoutMs);
        QCOMPARE(browser->finishPage({true, QStringLiteral("h1 + p"), 0}, bound), QString());
        QCOMPARE(browser->finishPage({false, QStringLiteral("div >"), 0}, bound), QStringLiteral("selector not valid"));
        QVERIFY(!bound.hasExpired());
    }

    // A page is scrolled through for what loads late only where something may: an element handed
    // to an observer, a picture waiting in a data- attribute or a lazy-loading class, a listener
    // of scrolling in a script or in markup.
    void onlyAPageWithLateContentIsScrolledThrough_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("scrolled");
        QTest::newRow("observed") << QByteArray("<p id='x'>x</p><script>new IntersectionObserver(() => {})"
                                                ".observe(document.getElementById('x'));</script>")
                                  << true;
        QTest::newRow("data-src") << QByteArray("<img data-src='/a.png'>") << true;
        QTest::newRow("lazy class") << QByteArray("<img class='lazyload' src='data:,'>") << true;
        QTest::newRow("scroll listener") << QByteArray("<script>addEventListener('scroll', () => {});</script>")
                                         << true;
        QTest::newRow("onscroll markup") << QByteArray("<body onscroll='void 0'>") << true;
        QTest::newRow("nothing late") << QByteArray("<p>Only words, and <img src='data:,' loading='lazy'></p>")
                                      << false;
    }

    void onlyAPageWithLateContentIsScrolledThrough()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, scrolled);
        TestHttpServer::Page page;
        page.body = "<html><head><title>Late?</title></head><body>" + body + "</body></html>";
        const QString path = u"/late-%1.html"_s.arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
        web.serve(path, page);
        QVERIFY(load(web.address(path)));
        QCOMPARE(browser->finishPage({true, QString(), 0}, QDeadlineTimer(kLoadTimeoutMs)), QString());
        QCOMPARE(browser->phaseTimes().scrolled, scrolled);
    }

    void scriptDialogsDoNotStopThePage()
    {
        TestHttpServer::Page page;
        page.body = "<html><head><title>Dialogs</title><script>alert('hi'); confirm('sure?'); prompt('name?');"
                    "</script></head><body>After the dialogs</body></html>";
        web.serve(QStringLiteral("/dialogs.html"), page);
        QVERIFY(load(web.address(QStringLiteral("/dialogs.html"))));
    }

    void printingHandsThePageToTheDefaultQueueAsText()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        const PrintedJob job = printToQueue(QStringLiteral("Test-Charlie"));
        QVERIFY(job.id > 0);
        QCOMPARE(job.title, QStringLiteral("Page Alpha"));
        QVERIFY2(job.text.contains(QStringLiteral("Alpha words here")), qPrintable(job.text));
    }

    void anUntitledPageIsPrintedUnderItsAddress()
    {
        TestHttpServer::Page page;
        page.body = "<html><body>No title at all</body></html>";
        web.serve(QStringLiteral("/untitled.html"), page);
        QVERIFY(load(web.address(QStringLiteral("/untitled.html"))));
        QCOMPARE(printToQueue(QStringLiteral("Test-Alpha")).title, web.address(QStringLiteral("/untitled.html")));

        // The server refuses a job whose name is longer than 255 bytes: a long address is cut, at
        // a character boundary.
        const QString longAddress = QStringLiteral("javascript:") + QString(400, QChar(0xE9));
        QVERIFY(load(longAddress));
        const QString title = printToQueue(QStringLiteral("Test-Alpha")).title;
        QVERIFY2(title.toUtf8().size() <= 255 && title.toUtf8().size() >= 253, qPrintable(title));
        QVERIFY(longAddress.startsWith(title));
    }

    void anAddressThatIsNoWebAddressPrintsAnExplanation()
    {
        QVERIFY(load(QStringLiteral("javascript:alert(1)")));
        const PrintedJob job = printToQueue(QStringLiteral("Test-Alpha"));
        QVERIFY2(job.text.contains(QStringLiteral("is not a web address")), qPrintable(job.text));
    }

    // The browser does not take files to download; printing the page before such an address again
    // would pass it off as that address.
    void aFileToDownloadPrintsAnExplanationNotThePageBefore()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        TestHttpServer::Page file;
        file.body = QByteArray(5000, 'z');
        file.contentType = "application/zip";
        web.serve(QStringLiteral("/file.zip"), file);
        QVERIFY(load(web.address(QStringLiteral("/file.zip"))));
        const PrintedJob job = printToQueue(QStringLiteral("Test-Alpha"));
        QVERIFY2(job.text.contains(QStringLiteral("may be a file to download")), qPrintable(job.text));
        QCOMPARE(job.title, web.address(QStringLiteral("/file.zip")));
    }

    void aPageThatStopsItsOwnLoadingIsPrintedAsItStands()
    {
        TestHttpServer::Page page;
        page.body = "<html><head><title>Stopper</title></head><body><p>Stopped here</p>"
                    "<script>window.stop();</script><img src=\"/never.png\"></body></html>";
        web.serve(QStringLiteral("/stopper.html"), page);
        QVERIFY(load(web.address(QStringLiteral("/stopper.html"))));
        const PrintedJob job = printToQueue(QStringLiteral("Test-Alpha"));
        QVERIFY2(job.text.contains(QStringLiteral("Stopped here")), qPrintable(job.text));
    }

    // A page asked to render once ready renders by itself, after the delay its rules ask: what it
    // shows a second after it loads is printed, what it shows four seconds after is not. The next
    // address the browser takes prints its own page.
    void aPageRendersOnceReadyAfterItsDelay()
    {
        TestHttpServer::Page changing;
        changing.body = "<html><head><title>Changing</title></head><body><p id='words'>First words</p><script>"
                        "const words = document.getElementById('words');"
                        "setTimeout(() => { words.textContent = 'Second words'; }, 1000);"
                        "setTimeout(() => { words.textContent = 'Third words'; }, 4000);</script></body></html>";
        web.serve(QStringLiteral("/changing.html"), changing);
        const std::unique_ptr<PrintRun> run = runTo(QStringLiteral("Test-Alpha"));
        WaitRules rules;
        rules.delaySeconds = 2;
        QElapsedTimer sinceLoad;
        sinceLoad.start();
        browser->loadAddress(web.address(QStringLiteral("/changing.html")), false);
        browser->readyWhenLoaded(rules, QDeadlineTimer(kLoadTimeoutMs));
        browser->renderWhenReady(run->sheetRequest(), rules);
        QVERIFY(sleepUntil([&] { return browser->loadComplete(); }, QDeadlineTimer(kLoadTimeoutMs)));
        letEventsRunFor(std::chrono::milliseconds(5000 - sinceLoad.elapsed()), QDeadlineTimer(kLoadTimeoutMs));

        const int before = jobCount(QStringLiteral("Test-Alpha"));
        run->handOver(browser->render(run->sheetRequest(), rules), {});
        QVERIFY(load(web.address(QStringLiteral("/b.html"))));
        printWith(*run, *browser);
        const QList<PrintedJob> jobs = jobsSince(QStringLiteral("Test-Alpha"), before);
        QCOMPARE(jobs.size(), 2);
        QVERIFY2(jobs[0].text.contains(QStringLiteral("Second words")), qPrintable(jobs[0].text));
        QVERIFY2(jobs[1].text.contains(QStringLiteral("Bravo words here")), qPrintable(jobs[1].text));
    }

    void pageSetupTakesThePrintersDefaults()
    {
        const std::unique_ptr<PrintRun> run = runTo(QStringLiteral("Test-Alpha"));
        run->setUpSheets();
        const QPageLayout layout = run->sheetRequest().layout;
        // The test queues' driver defaults to US Letter.
        QCOMPARE(layout.pageSize().id(), QPageSize::Letter);
        QCOMPARE(layout.orientation(), QPageLayout::Portrait);
        QVERIFY(layout.margins(QPageLayout::Millimeter).left() >= 10.0);

        QVERIFY(load(web.address(QStringLiteral("/b.html"))));
        const PrintedJob job = printToQueue(QStringLiteral("Test-Alpha"));
        QVERIFY(job.id > 0);
        QVERIFY2(pdfInfo(job.id).contains(QStringLiteral("612 x 792 pts")), qPrintable(pdfInfo(job.id)));
    }

    void aRefusedJobIsAnError()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        runCupsTool(QStringLiteral("cupsreject"), {QStringLiteral("Test-Charlie")});
        bool refused = false;
        QString description;
        try {
            printWith(*runTo(QStringLiteral("Test-Charlie")), *browser);
        } catch (const RuntimeError &error) {
            refused = error.number() == ErrorNumber::PrinterError &&
                      error.description().contains(QLatin1String("Test-Charlie"));
            description = error.description();
        }
        runCupsTool(QStringLiteral("cupsaccept"), {QStringLiteral("Test-Charlie")});
        QVERIFY(refused);
        QVERIFY2(description.endsWith(QLatin1String("accepting jobs.")), qPrintable(description));
    }

    void anUnknownPrinterIsAnError()
    {
        QVERIFY(load(web.address(QStringLiteral("/a.html"))));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, printWith(*runTo(QStringLiteral("No-Such-Printer")), *browser));
    }
};

QUILLBRAE_TEST_MAIN(WebBrowserTest)
#include "test_web_browser.moc"
