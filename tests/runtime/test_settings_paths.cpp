#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/Settings.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSettings>

// The settings store, the path helpers and the title derivation.
class SettingsPathsTest : public QObject
{
    Q_OBJECT

    static QString storeFile()
    {
        return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Orvandel/Quillbrae.conf"));
    }

private slots:
    void storeLivesInThePrivateConfigFolder()
    {
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(testHome()));
        QSettings probe(QStringLiteral("Orvandel"), QStringLiteral("Quillbrae"));
        QCOMPARE(probe.fileName(), storeFile());
    }

    void absentKeyReadsAsDefaultAndCreatesNothing()
    {
        QCOMPARE(Settings::read(QStringLiteral("Combo1")), QString());
        QCOMPARE(Settings::read(QStringLiteral("Combo1"), QStringLiteral("x")), QStringLiteral("x"));
        QVERIFY(!QFile::exists(storeFile()));
    }

    void valuesAreWrittenAsPlainTextAtOnce()
    {
        Settings::write(QStringLiteral("Combo1"), QString::number(2));
        QFile file(storeFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Combo1=2\n"));
        Settings::write(QStringLiteral("Combo1"), QString::number(-1));
        QCOMPARE(Settings::read(QStringLiteral("Combo1")), QStringLiteral("-1"));
        Settings::write(QStringLiteral("Combo1"), QStringLiteral("0"));
        QCOMPARE(Settings::read(QStringLiteral("Combo1"), QStringLiteral("default")), QStringLiteral("0"));
    }

    void fileExistsNeverFailsLoudly()
    {
        QVERIFY(fileExists(QCoreApplication::applicationFilePath()));
        QVERIFY(fileExists(applicationFolder()));
        QVERIFY(!fileExists(QString()));
        QVERIFY(!fileExists(QStringLiteral("/no/such/folder/file.txt")));
        QVERIFY(!fileExists(QStringLiteral("Z:\\missing\\drive.txt")));
        QVERIFY(!fileExists(QString(QChar(0)) + QStringLiteral("odd")));
    }

    void applicationFolderHasNoTrailingSeparator()
    {
        QVERIFY(!applicationFolder().endsWith(QLatin1Char('/')));
        QVERIFY(QFileInfo(applicationFolder()).isDir());
    }

    void fileNamePartIsTheTextAfterTheLastBackslash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("part");
        QTest::newRow("full path") << QStringLiteral("C:\\a\\b.txt") << QStringLiteral("b.txt");
        QTest::newRow("no backslash") << QStringLiteral("b.txt") << QStringLiteral("b.txt");
        QTest::newRow("trailing backslash") << QStringLiteral("C:\\a\\") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("address") << QStringLiteral("https://example.com/a/b")
                                 << QStringLiteral("https://example.com/a/b");
    }

    void fileNamePartIsTheTextAfterTheLastBackslash()
    {
        QFETCH(QString, path);
        QFETCH(QString, part);
        QCOMPARE(afterLastBackslash(path), part);
    }

    void titleLosesItsLastWordUntilShortEnough()
    {
        QCOMPARE(applicationTitle(), QStringLiteral("Quillbrae"));
        shortenApplicationTitle();
        QCOMPARE(applicationTitle(), QStringLiteral("Quillbrae"));
        QCOMPARE(shortenedTitle(QStringLiteral("Web Page Printer")), QStringLiteral("Web Page"));
        QCOMPARE(shortenedTitle(QStringLiteral("An extremely long product name that goes on and on forever")),
                 QStringLiteral("An extremely long product name that goes")); // exactly 40 characters
    }
};

QUILLBRAE_TEST_MAIN(SettingsPathsTest)
#include "test_settings_paths.moc"
