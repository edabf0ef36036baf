#include "DefaultPrinterTestBase.h"
#include "gui/DefaultPrinter.h"
#include "gui/RunDefaultPrinter.h"
#include "runtime/AppTitle.h"
#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

#include <sys/mount.h>

namespace {
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

// Switching the default printer where it can't be done safely: where the record of the way back
// can't be kept, and where the print server can't be reached or does not answer.
class DefaultPrinterFailuresTest : public DefaultPrinterTestBase
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

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

QUILLBRAE_TEST_MAIN(DefaultPrinterFailuresTest)
#include "test_default_printer_failures.moc"
