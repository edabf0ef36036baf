#pragma once

#include "PrintServerTools.h"
#include "printers/CupsPrinterSystem.h"
#include "printers/DefaultPrinterRecord.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

inline QString userOptionsPath()
{
    return testHome() + QStringLiteral("/.cups/lpoptions");
}

inline QString recordPath()
{
    return DefaultPrinterRecord::folder() + QStringLiteral("/default-printer.json");
}

// The base of the tests that read and set the default printer against the private print server:
// each test starts with no per-user default and no record of a switch, and leaves none.
class DefaultPrinterTestBase : public QObject
{
protected:
    FakeDialogs dialogs;
    std::unique_ptr<CupsPrinterSystem> printers;
    QString serverDefault; // what lpstat -d says with no per-user default

    // For each test class's initTestCase.
    void prepare()
    {
        QVERIFY2(privatePrintServerConfigured(), "CUPS_SERVER must name the private print server (scripts/test)");
        QDir(testHome() + QStringLiteral("/.cups")).removeRecursively();
        serverDefault = lpstatDefault();
        QCOMPARE(serverDefault, QStringLiteral("system default destination: Test-Bravo"));
    }

    // For each test class's init.
    void startTest()
    {
        dialogs = FakeDialogs();
        printers = std::make_unique<CupsPrinterSystem>();
        QDir(testHome() + QStringLiteral("/.cups")).removeRecursively();
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }

    // For each test class's cleanup.
    void endTest()
    {
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qunsetenv("XDG_STATE_HOME");
        QFile::remove(recordPath());
    }
};
