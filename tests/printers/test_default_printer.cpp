#include "DefaultPrinterTestBase.h"
#include "gui/DefaultPrinter.h"
#include "runtime/AppTitle.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>

namespace {
QByteArray userOptions()
{
    QFile file(userOptionsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

// Reading and setting the default printer against the private print server, and putting back
// exactly what was there, wherever the default came from.
class DefaultPrinterTest : public DefaultPrinterTestBase
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void listsThePrintersInTheOrderCupsGives()
    {
        const QStringList names = printers->printerNames();
        QCOMPARE(names, QPrinterInfo::availablePrinterNames());
        QVERIFY(names.indexOf(QStringLiteral("Test-Alpha")) < names.indexOf(QStringLiteral("Test-Bravo")));
        QVERIFY(names.indexOf(QStringLiteral("Test-Bravo")) < names.indexOf(QStringLiteral("Test-Charlie")));
        QVERIFY(names.indexOf(QStringLiteral("Test-Alpha")) >= 0);
    }

    void readsTheDefaultWithoutAWord()
    {
        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QCOMPARE(printers->defaultPrinterName(), QStringLiteral("Test-Bravo"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void emptyOrUnknownNameFailsSilently_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("unknown") << QStringLiteral("No-Such-Printer");
        QTest::newRow("unknown instance") << QStringLiteral("Test-Alpha/no-such-instance");
    }

    void emptyOrUnknownNameFailsSilently()
    {
        QFETCH(QString, name);
        QVERIFY(!makeDefaultPrinter(*printers, name).switched);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(lpstatDefault(), serverDefault);
        QVERIFY(!QFile::exists(userOptionsPath()));
    }

    void switchAndBackLeavesNoPerUserDefaultWhereThereWasNone()
    {
        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie")).switched);
        QCOMPARE(lpstatDefault(), QStringLiteral("system default destination: Test-Charlie"));
        // Everyone in this process sees the switch at once, Qt included.
        QCOMPARE(printers->defaultPrinterName(), QStringLiteral("Test-Charlie"));
        QCOMPARE(QPrinterInfo::defaultPrinterName(), QStringLiteral("Test-Charlie"));

        printers->restoreDefault();
        QCOMPARE(lpstatDefault(), serverDefault);
        QVERIFY(!QFile::exists(userOptionsPath()));
        QVERIFY(!QFile::exists(testHome() + QStringLiteral("/.cups")));
        QCOMPARE(QPrinterInfo::defaultPrinterName(), QStringLiteral("Test-Bravo"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void switchAndBackRestoresThePerUserDefaultByteForByte()
    {
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), QStringLiteral("Test-Alpha")});
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), QStringLiteral("Test-Charlie"),
                                                  QStringLiteral("-o"), QStringLiteral("sides=two-sided-long-edge")});
        const QByteArray before = userOptions();
        const QString lpstatBefore = lpstatDefault();
        QCOMPARE(lpstatBefore, QStringLiteral("system default destination: Test-Alpha"));

        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie")).switched);
        QCOMPARE(lpstatDefault(), QStringLiteral("system default destination: Test-Charlie"));
        printers->restoreDefault();

        QCOMPARE(lpstatDefault(), lpstatBefore);
        QCOMPARE(userOptions(), before);
    }

    // Closing the window after the print server went away still gives the user's default back,
    // wherever it came from.
    void theWayBackNeedsNoServer_data()
    {
        QTest::addColumn<QByteArray>("printerVariable");
        QTest::newRow("user options") << QByteArray();
        QTest::newRow("environment") << QByteArray("Test-Alpha");
    }

    void theWayBackNeedsNoServer()
    {
        QFETCH(QByteArray, printerVariable);
        if (!printerVariable.isEmpty())
            qputenv("PRINTER", printerVariable);
        const QString saved = printers->defaultPrinterName();
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie")).switched);
        {
            const UnreachablePrintServer down;
            printers->restoreDefault();
        }
        QCOMPARE(qgetenv("PRINTER"), printerVariable);
        QCOMPARE(printers->defaultPrinterName(), saved);
        QVERIFY(!QFile::exists(userOptionsPath()));
    }

    void optionsSavedDuringTheSwitchSurviveTheWayBack()
    {
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-p"), QStringLiteral("Test-Charlie"),
                                                  QStringLiteral("-o"), QStringLiteral("media=A5")});
        printers->restoreDefault();

        QCOMPARE(lpstatDefault(), serverDefault);
        const QByteArray options = userOptions();
        QVERIFY2(!options.contains("Default"), options.constData());
        QVERIFY2(options.contains("media=A5"), options.constData());
    }

    // A printer is looked up once and kept from page to page; a run's switch of the default looks
    // it up again, so options the user saved since the last run count.
    void pageLayoutFollowsOptionsSavedBetweenRuns()
    {
        const QString printer = QStringLiteral("Test-Charlie");
        QCOMPARE(printers->defaultPageLayout(printer).orientation(), QPageLayout::Portrait);
        runCupsTool(QStringLiteral("lpoptions"),
                    {QStringLiteral("-p"), printer, QStringLiteral("-o"), QStringLiteral("landscape")});
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        QCOMPARE(printers->defaultPageLayout(printer).orientation(), QPageLayout::Landscape);
        QCOMPARE(printers->defaultPageLayout(QStringLiteral("No-Such-Printer")).pageSize().id(), QPageSize::A4);
        printers->restoreDefault();
    }

    void switchingToTheCurrentDefaultChangesNothing()
    {
        // A state folder that no earlier switch of this process has made.
        const QTemporaryDir state;
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Bravo")).switched);
        QVERIFY(!QFile::exists(userOptionsPath()));
        // Nothing to put back, so nothing is kept for it.
        QVERIFY(!QFileInfo::exists(DefaultPrinterRecord::folder()));
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie")).switched);
        QVERIFY(QFileInfo::exists(recordPath()));
        printers->restoreDefault();
        QVERIFY(!QFile::exists(userOptionsPath()));
    }

    void eachSwitchStartsFromWhatItFinds()
    {
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie")).switched);
        printers->restoreDefault();
        // Between two runs the user makes a per-user default of their own.
        runCupsTool(QStringLiteral("lpoptions"), {QStringLiteral("-d"), QStringLiteral("Test-Bravo")});
        const QByteArray before = userOptions();
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        printers->restoreDefault();
        QCOMPARE(userOptions(), before);
    }

    void environmentDecidesTheDefault_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QByteArray>("other");
        QTest::newRow("PRINTER") << QByteArray("PRINTER") << QByteArray();
        QTest::newRow("LPDEST") << QByteArray("LPDEST") << QByteArray();
        QTest::newRow("LPDEST before PRINTER") << QByteArray("LPDEST") << QByteArray("PRINTER");
    }

    // The variable decides for this process only: the switch leaves it, and the user's printer
    // options, as they are.
    void environmentDecidesTheDefault()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QByteArray, other);
        qputenv(variable.constData(), "test-charlie");
        if (!other.isEmpty())
            qputenv(other.constData(), "Test-Alpha");

        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QCOMPARE(printers->defaultPrinterName(), QStringLiteral("Test-Charlie"));
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        QCOMPARE(printers->defaultPrinterName(), QStringLiteral("Test-Charlie"));
        QCOMPARE(QPrinterInfo::defaultPrinterName(), QStringLiteral("Test-Charlie"));
        QCOMPARE(qgetenv(variable.constData()), QByteArray("test-charlie"));
        QVERIFY(!QFile::exists(userOptionsPath()));

        printers->restoreDefault();
        QCOMPARE(qgetenv(variable.constData()), QByteArray("test-charlie"));
        if (!other.isEmpty())
            QCOMPARE(qgetenv(other.constData()), QByteArray("Test-Alpha"));
        QVERIFY(!QFile::exists(userOptionsPath()));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // "lp" is the traditional printer name that means no choice, and libcups ignores it.
    void printerLpLeavesTheChoiceToTheUserOptions()
    {
        qputenv("PRINTER", "lp");
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        QCOMPARE(printers->defaultPrinterName(), QStringLiteral("Test-Alpha"));
        QVERIFY(userOptions().contains("Default Test-Alpha"));
        printers->restoreDefault();
        QVERIFY(!QFile::exists(userOptionsPath()));
        QCOMPARE(qgetenv("PRINTER"), QByteArray("lp"));
    }

    // Where no default could be read, going back to "no name" puts back the state found.
    void unreadableDefaultHasItsOwnMessageAndComesBack()
    {
        qputenv("LPDEST", "No-Such-Printer");
        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("Error No: 482\r\nLPDEST environment variable names default destination that does "
                                "not exist.\r\nHas occured in modPrinters.GetDefaultPrinter\r\nPlease contact "
                                "Technical Support"));
        QCOMPARE(dialogs.messages[0].title, applicationTitle());
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);

        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha")).switched);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, printers->defaultPrinterName());
        printers->restoreDefault();
        QCOMPARE(qgetenv("LPDEST"), QByteArray("No-Such-Printer"));
        // An empty name is never a printer to switch to.
        QVERIFY(!makeDefaultPrinter(*printers, QString()).switched);
    }
};

QUILLBRAE_TEST_MAIN(DefaultPrinterTest)
#include "test_default_printer.moc"
