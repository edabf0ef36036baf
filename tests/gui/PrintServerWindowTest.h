#pragma once

#include "PrintServerTools.h"
#include "browser/BrowserDrawing.h"
#include "gui/MainWindow.h"
#include "printers/PrinterSystem.h"
#include "printing/TestHttpServer.h"
#include "runtime/ProgramLifetime.h"
#include "support/FakeKeyring.h"
#include "support/FakePing.h"
#include "support/ManualClock.h"
#include "support/QuietServices.h"
#include "support/WindowControls.h"

#include <QComboBox>
#include <QTest>

#include <memory>

// The base of the tests that print through the real window and browser to the private print
// server, with pages served on 127.0.0.1. Only the message boxes, the keyring, the ping and the
// home-page draw are stand-ins, and the run's pauses and its bound on a page that never completes
// pass on a clock the test moves.
class PrintServerWindowTest : public QObject
{
protected:
    // The browsers are drawn as the program draws them on this display: made after the
    // application object, before any browser.
    PrintServerWindowTest() { chooseBrowserDrawing(); }

    // The default printer as scripts/print-server sets it up.
    static inline const QString kServerDefault = QStringLiteral("Test-Bravo");

    TestHttpServer web;
    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    FakePing ping{QLatin1String(kPingReply)};
    FakeKeyring keyring;
    std::unique_ptr<ManualClock> runClock;
    std::unique_ptr<MainWindow> form;

    static PrinterSystem &printers() { return *realServices().printers; }

    // The window shown, the printer chosen in its list, and no message seen yet.
    void openWindow(const QString &printer)
    {
        Services services = quietServices(dialogs, draw, opener);
        services.clock = runClock.get();
        services.keyring = &keyring;
        form = std::make_unique<MainWindow>(services);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto *printerBox = child<QComboBox>(*form, "Combo1");
        printerBox->setCurrentIndex(printerBox->findText(printer));
        QCOMPARE(printerBox->currentText(), printer);
        dialogs.messages.clear();
    }

    // Before each test: no message seen, and a clock that has not moved.
    void resetStandIns()
    {
        dialogs = FakeDialogs();
        keyring = FakeKeyring();
        runClock = std::make_unique<ManualClock>();
    }

    // After each test: the window gone, and what a test that failed may have left changed put back,
    // so that it can't fail the tests after it.
    void closeWindow()
    {
        form.reset();
        if (printers().defaultPrinterName() != kServerDefault)
            runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), kServerDefault});
        resetProgramEndForTesting();
    }
};
