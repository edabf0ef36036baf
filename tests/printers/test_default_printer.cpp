#include "PrintServerTools.h"
#include "gui/DefaultPrinter.h"
#include "gui/RunDefaultPrinter.h"
#include "printers/CupsPrinterSystem.h"
#include "printers/DefaultPrinterRecord.h"
#include "runtime/AppTitle.h"
#include "runtime/RuntimeError.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <sys/mount.h>

namespace {
QString userOptionsPath()
{
    return testHome() + QStringLiteral("/.cups/lpoptions");
}

QByteArray userOptions()
{
    QFile file(userOptionsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString recordPath()
{
    return DefaultPrinterRecord::folder() + QStringLiteral("/default-printer.json");
}

// A file system of 16 KiB, mounted on a temporary folder and filled up, for as long as it lives;
// mounting needs root.
class FullFileSystem
{
public:
    FullFileSystem()
    {
        const QByteArray path = QFile::encodeName(m_folder.path());
        if (!m_folder.isValid() || ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=16k") != 0)
            return;
        m_mounted = true;
        QFile filler(m_folder.path() + QStringLiteral("/filler"));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            filler.write(QByteArray(65'536, 'x')); // four times what fits
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder.path()).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};
} // namespace

// Reading and setting the default printer against the private print server, and putting back
// exactly what was there, wherever the default came from.
class DefaultPrinterTest : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;
    std::unique_ptr<CupsPrinterSystem> printers;
    QString serverDefault; // what lpstat -d says with no per-user default

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "CUPS_SERVER must name the private print server (scripts/test)");
        QDir(testHome() + QStringLiteral("/.cups")).removeRecursively();
        serverDefault = lpstatDefault();
        QCOMPARE(serverDefault, QStringLiteral("system default destination: Test-Bravo"));
    }

    void init()
    {
        dialogs = FakeDialogs();
        printers = std::make_unique<CupsPrinterSystem>();
        QDir(testHome() + QStringLiteral("/.cups")).removeRecursively();
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }

    void cleanup()
    {
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qunsetenv("XDG_STATE_HOME");
        QFile::remove(recordPath());
    }

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

    void aRecordThatCannotBeKeptMeansNoSwitch_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << QStringLiteral("full") << QStringLiteral("No space left on device");
        QTest::newRow("folder is a file") << QStringLiteral("file") << QStringLiteral("Cannot make the folder");
        QTest::newRow("folder is a link") << QStringLiteral("link") << QStringLiteral("not a folder of the user's own");
    }

    // Where what the way back needs cannot be kept on disk, the default stays as it is, and the
    // run's user is told why once.
    void aRecordThatCannotBeKeptMeansNoSwitch()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        std::optional<FullFileSystem> full;
        QString state = testHome() + QStringLiteral("/state-") + kind;
        if (kind == QLatin1String("full")) {
            full.emplace();
            if (!full->mounted())
                QSKIP("mounting a file system needs root");
            state = full->path();
        } else {
            QVERIFY(QDir().mkpath(state));
            const QString folder = state + QStringLiteral("/Quillbrae");
            QFile file(folder);
            QVERIFY(kind == QLatin1String("file") ? file.open(QIODevice::WriteOnly) : QFile::link(testHome(), folder));
        }
        qputenv("XDG_STATE_HOME", QFile::encodeName(state));

        const DefaultPrinterSwitch refused = makeDefaultPrinter(*printers, QStringLiteral("Test-Charlie"));
        QVERIFY(!refused.switched && refused.recordNotKept);
        QVERIFY(dialogs.messages.isEmpty());
        // A window's runs tell it once.
        RunDefaultPrinter runs(*printers, dialogs);
        runs.switchTo(QStringLiteral("Test-Charlie"));
        runs.switchTo(QStringLiteral("Test-Alpha"));
        QCOMPARE(lpstatDefault(), serverDefault);
        QVERIFY(!QFile::exists(userOptionsPath()));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.contains(reason) && dialogs.messages[0].text.contains(u"Test-Charlie"),
                 qPrintable(dialogs.messages[0].text));
        QCOMPARE(dialogs.messages[0].title, applicationTitle());
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
        if (kind == QLatin1String("full"))
            QCOMPARE(QDir(DefaultPrinterRecord::folder()).entryList({QStringLiteral("default-printer.json*")}),
                     QStringList());
        QVERIFY(makeDefaultPrinter(*printers, QStringLiteral("Test-Bravo")).switched);
        QVERIFY(!QFile::exists(userOptionsPath()));
    }

    // A link planted at the record's path is never written through, whether or not what it leads
    // to exists.
    void aLinkAtTheRecordIsRefused()
    {
        const QString target = testHome() + QStringLiteral("/precious.txt");
        QVERIFY(QDir().mkpath(DefaultPrinterRecord::folder()));
        QVERIFY(QFile::link(target, recordPath()));
        RunDefaultPrinter runs(*printers, dialogs);
        runs.switchTo(QStringLiteral("Test-Charlie"));
        QVERIFY(!QFile::exists(target));

        QFile precious(target);
        QVERIFY(precious.open(QIODevice::WriteOnly) && precious.write("precious\n") == 9);
        precious.close();
        runs.switchTo(QStringLiteral("Test-Charlie"));
        QVERIFY(precious.open(QIODevice::ReadOnly));
        QCOMPARE(precious.readAll(), QByteArray("precious\n"));
        QCOMPARE(QFileInfo(recordPath()).symLinkTarget(), target);
        QCOMPARE(lpstatDefault(), serverDefault);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.contains(QStringLiteral("not a plain file")),
                 qPrintable(dialogs.messages[0].text));
    }

    void unreachableServer()
    {
        const UnreachablePrintServer down;
        tellIfDefaultPrinterUnreadable(*printers, dialogs);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.startsWith(
                     QStringLiteral("Error No: 482\r\nCannot connect to the print server %1").arg(down.address())),
                 qPrintable(dialogs.messages[0].text));
        const DefaultPrinterSwitch refused = makeDefaultPrinter(*printers, QStringLiteral("Test-Alpha"));
        QVERIFY(!refused.switched && !refused.recordNotKept);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, printers->printerNames());
    }

    // A server that takes the connection and never answers is given up on.
    void silentServer()
    {
        const SilentPrintServer silent;
        QVERIFY(silent.listening());
        CupsPrinterSystem impatient(std::chrono::milliseconds(200));
        tellIfDefaultPrinterUnreadable(impatient, dialogs);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.contains(QStringLiteral("does not answer")),
                 qPrintable(dialogs.messages[0].text));
        QVERIFY(!makeDefaultPrinter(impatient, QStringLiteral("Test-Alpha")).switched);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, impatient.printerNames());
    }
};

QUILLBRAE_TEST_MAIN(DefaultPrinterTest)
#include "test_default_printer.moc"
