#pragma once

#include "PrintServerTools.h"
#include "PrintServerWindowTest.h"
#include "browser/PageBrowser.h"
#include "gui/MainWindow.h"
#include "gui/WindowPointer.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "run/PagePrinter.h"
#include "run/PageSetup.h"
#include "run/RunEvents.h"
#include "run/StoredSettings.h"
#include "support/ProcessTree.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QQuickWindow>
#include <QTreeView>

#include <unistd.h>

// The bar's value and text each time either changes.
struct ProgressLog
{
    QList<int> values;
    QStringList texts;
};

// The base of the print runs through the real window, browser and private print server.
class PrintRunWindowTest : public PrintServerWindowTest
{
protected:
    // The printer the runs print to, chosen in the window's list.
    static inline const QString kChosen = QStringLiteral("Test-Charlie");

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

    // For each test class's initTestCase: the pages the runs print, served, and the setup
    // they print with, stored.
    void prepare()
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
};
