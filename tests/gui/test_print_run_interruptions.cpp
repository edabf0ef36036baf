#include "PrintRunWindowTest.h"
#include "gui/UrlListSelection.h"
#include "runtime/ProgramLifetime.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;

// Print runs through the window that something interrupts: the window closed, the list changed,
// the print server stopped or hung.
class PrintRunInterruptionsTest : public PrintRunWindowTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }
    void init() { resetStandIns(); }
    void cleanup() { closeWindow(); }

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

QUILLBRAE_TEST_MAIN(PrintRunInterruptionsTest)
#include "test_print_run_interruptions.moc"
