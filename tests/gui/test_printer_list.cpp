#include "PrintServerTools.h"
#include "gui/MainWindow.h"
#include "printers/CupsPrinterSystem.h"
#include "printers/PrinterPosition.h"
#include "runtime/RuntimeError.h"
#include "runtime/Settings.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"

#include <QComboBox>
#include <QSettings>

#include <memory>

namespace {
const QString kLine134 = QStringLiteral("in Quillbrae2021/08/31.Form1.Form_Load at line 134\r\r");
const QString kRemovable = QStringLiteral("Test-Zulu");

QString storedPosition()
{
    return Settings::read(QStringLiteral("Combo1"));
}

QComboBox *printerBox(const MainWindow &form)
{
    return child<QComboBox>(form, "Combo1");
}
} // namespace

// The printer drop-down over the private print server: what start-up selects, what it stores,
// and what a restart (a new window over the same settings) makes of it.
class PrinterListTest : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    std::unique_ptr<FakePing> ping;
    QStringList printerNames;

    std::unique_ptr<MainWindow> start(PrinterSystem *printers = nullptr)
    {
        auto form = std::make_unique<MainWindow>(quietServices(dialogs, draw, opener, printers));
        form->show();
        return form;
    }

    // The one report start-up gave, which must name the printer list's line.
    void verifyOneReportAtLine134(const QString &description)
    {
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 1);
        QVERIFY2(reports[0].text.startsWith(description + QStringLiteral("\r\n") + kLine134),
                 qPrintable(reports[0].text));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "CUPS_SERVER must name the private print server (scripts/test)");
        ping = std::make_unique<FakePing>(QLatin1String(kPingReply));
        printerNames = CupsPrinterSystem().printerNames();
        QVERIFY(printerNames.size() >= 3);
    }

    void init()
    {
        dialogs = FakeDialogs();
        QSettings settings(QStringLiteral("Orvandel"), QStringLiteral("Quillbrae"));
        settings.remove(QStringLiteral("Combo1"));
        settings.remove(QStringLiteral("SaveAsPdf"));
        qunsetenv("LPDEST");
    }

    void cleanup() { qunsetenv("LPDEST"); }

    void firstStartSelectsTheDefaultAndStoresItsPosition()
    {
        auto form = start();
        // Each printer at its position, and "Save as PDF…" after them all.
        QCOMPARE(printerBox(*form)->count(), printerNames.size() + 1);
        for (int i = 0; i < printerNames.size(); ++i)
            QCOMPARE(printerBox(*form)->itemText(i), printerNames[i]);
        QCOMPARE(printerBox(*form)->itemText(printerBox(*form)->count() - 1), QStringLiteral("Save as PDF…"));
        QCOMPARE(printerBox(*form)->currentText(), QStringLiteral("Test-Bravo"));
        QCOMPARE(storedPosition(), QString::number(printerNames.indexOf(QStringLiteral("Test-Bravo"))));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void chosenPositionIsSelectedAgainAtTheNextStart_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("third printer") << 2;
        // "0" is a choice; only an empty value means none.
        QTest::newRow("first printer") << 0;
    }

    void chosenPositionIsSelectedAgainAtTheNextStart()
    {
        QFETCH(int, position);
        {
            auto form = start();
            printerBox(*form)->setCurrentIndex(position);
            QCOMPARE(storedPosition(), QString::number(position));
        }
        auto restarted = start();
        QCOMPARE(printerBox(*restarted)->currentIndex(), position);
        QCOMPARE(printerBox(*restarted)->currentText(), printerNames[position]);
        QCOMPARE(storedPosition(), QString::number(position));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // The position stays a position: with the last printer gone it points past the end.
    void removedPrinterLeavesNoSelection()
    {
        addTestQueue(kRemovable);
        const qsizetype last = CupsPrinterSystem().printerNames().indexOf(kRemovable);
        QCOMPARE(last, printerNames.size());
        {
            auto form = start();
            printerBox(*form)->setCurrentIndex(static_cast<int>(last));
            QCOMPARE(printerBox(*form)->currentText(), kRemovable);
        }
        removeTestQueue(kRemovable);

        auto restarted = start();
        verifyOneReportAtLine134(QStringLiteral("Invalid property value"));
        QCOMPARE(printerBox(*restarted)->count(), printerNames.size() + 1);
        QCOMPARE(printerBox(*restarted)->currentIndex(), -1);
        QCOMPARE(storedPosition(), QString::number(last));

        printerBox(*restarted)->setCurrentIndex(1);
        QCOMPARE(storedPosition(), QStringLiteral("1"));
    }

    // "Save as PDF…" is chosen again at the next start, and leaves the printer's position as it
    // was: the position goes on naming a printer, whatever printers come.
    void saveAsPdfIsChosenAgainAndKeepsThePrintersPosition()
    {
        {
            auto form = start();
            printerBox(*form)->setCurrentIndex(2);
            printerBox(*form)->setCurrentIndex(printerBox(*form)->count() - 1);
            QCOMPARE(printerBox(*form)->currentText(), QStringLiteral("Save as PDF…"));
        }
        QCOMPARE(storedPosition(), QStringLiteral("2"));
        {
            auto restarted = start();
            QCOMPARE(printerBox(*restarted)->currentText(), QStringLiteral("Save as PDF…"));
            printerBox(*restarted)->setCurrentIndex(1);
        }
        auto again = start();
        QCOMPARE(printerBox(*again)->currentIndex(), 1);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void unusableStoredValue_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("description");
        QTest::newRow("not a number") << QStringLiteral("Test-Alpha") << QStringLiteral("Type mismatch");
        QTest::newRow("fraction") << QStringLiteral("1.5") << QStringLiteral("Type mismatch");
        QTest::newRow("beyond 16 bits") << QStringLiteral("32768") << QStringLiteral("Overflow");
        QTest::newRow("before the start") << QStringLiteral("-2") << QStringLiteral("Invalid property value");
    }

    void unusableStoredValue()
    {
        QFETCH(QString, stored);
        QFETCH(QString, description);
        Settings::write(QStringLiteral("Combo1"), stored);
        auto form = start();
        verifyOneReportAtLine134(description);
        QCOMPARE(printerBox(*form)->currentIndex(), -1);
        QCOMPARE(storedPosition(), stored);
    }

    void storedPositionReadsAsA16BitNumber()
    {
        QCOMPARE(storedPrinterPosition(QStringLiteral(" 2 ")), qint16(2));
        QCOMPARE(storedPrinterPosition(QStringLiteral("-1")), qint16(-1));
        QCOMPARE(storedPrinterPosition(QStringLiteral("+32767")), qint16(32767));
        QCOMPARE(storedPrinterPosition(QStringLiteral("-32768")), qint16(-32768));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, storedPrinterPosition(QStringLiteral("-")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, storedPrinterPosition(QStringLiteral("99999999999999999999")));
    }

    // Without a default printer the printers are still offered, and the missing default is
    // reported once.
    void printersAreOfferedWithoutADefault()
    {
        qputenv("LPDEST", "No-Such-Printer");
        {
            auto form = start();
            verifyOneReportAtLine134(
                QStringLiteral("LPDEST environment variable names default destination that does not exist."));
            QCOMPARE(printerBox(*form)->count(), printerNames.size() + 1);
            QCOMPARE(printerBox(*form)->currentIndex(), -1);
            QVERIFY(storedPosition().isEmpty());
        }
        dialogs = FakeDialogs();
        Settings::write(QStringLiteral("Combo1"), QStringLiteral("2"));
        auto form = start();
        QCOMPARE(dialogs.errorReports().size(), 1);
        QCOMPARE(printerBox(*form)->currentIndex(), 2);
    }

    void printServerDown()
    {
        Settings::write(QStringLiteral("Combo1"), QStringLiteral("1"));
        const UnreachablePrintServer down;
        auto form = start();
        QVERIFY(form->isVisible());
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.contains(kLine134));
        // Files need no print server.
        QCOMPARE(printerBox(*form)->count(), 1);
        QCOMPARE(printerBox(*form)->currentIndex(), -1);
        QCOMPARE(storedPosition(), QStringLiteral("1"));
    }

    // A server that takes the connection and never answers holds start-up for the time limit
    // only.
    void printServerHangs()
    {
        const SilentPrintServer silent;
        QVERIFY(silent.listening());
        CupsPrinterSystem impatient(std::chrono::milliseconds(200));
        auto form = start(&impatient);
        QVERIFY(form->isVisible());
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.contains(QStringLiteral("does not answer")));
        QVERIFY(dialogs.errorReports()[0].text.contains(kLine134));
    }
};

QUILLBRAE_TEST_MAIN(PrinterListTest)
#include "test_printer_list.moc"
