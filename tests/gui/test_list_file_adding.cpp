#include "gui/ListFileAdding.h"
#include "runtime/AppTitle.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
constexpr qsizetype kMegabyte = qsizetype{1024} * 1024;

int openFileDescriptors()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

QByteArray bytes(qsizetype count, char c)
{
    return QByteArray(count, c);
}

// A browser's bookmarks export of these addresses, in a folder, as browsers write it.
QByteArray bookmarksExport(const QStringList &addresses)
{
    QByteArray html =
        "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV='Content-Type' CONTENT='text/html; "
        "charset=UTF-8'>\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n<DT><H3>Reading</H3>\n<DL><p>\n";
    for (const QString &address : addresses)
        html += "<DT><A HREF='" + address.toUtf8() + "' ADD_DATE='1700000000'>" + address.toUtf8() + "</A>\n";
    return html + "</DL><p>\n</DL><p>\n";
}
} // namespace

class ListFileAddingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    FakeDialogs dialogs;

    QString writeFile(const QByteArray &content, const QString &name = QStringLiteral("list.txt"))
    {
        QString path = folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

    QStringList load(const QByteArray &content)
    {
        UrlListModel list;
        addListFile(list, writeFile(content), dialogs);
        return list.texts();
    }

private slots:
    void init() { dialogs = FakeDialogs(); }

    void linesBecomeRows_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("rows");
        const QStringList abc{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF, last line too") << QByteArray("a\r\nb\r\nc\r\n") << abc;
        QTest::newRow("LF with a final LF") << QByteArray("a\nb\nc\n") << QStringList{u"a"_s, u"b"_s, u"c"_s, u""_s};
        QTest::newRow("LF without a final LF") << QByteArray("a\nb\nc") << abc;
        QTest::newRow("lone CR") << QByteArray("a\rb\rc\r") << abc;
        QTest::newRow("mixed breaks") << QByteArray("a\r\nb\nc\rd") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
        QTest::newRow("CR CR is an empty line") << QByteArray("a\r\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("CR LF LF is an empty line") << QByteArray("a\r\n\nb") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("blank lines") << QByteArray("a\r\n\r\n\r\nb\r\n") << QStringList{u"a"_s, u""_s, u""_s, u"b"_s};
        QTest::newRow("blanks around addresses")
            << QByteArray("  https://a.example/ \r\n\thttps://b.example/\t\r\n")
            << QStringList{u"  https://a.example/ "_s, u"\thttps://b.example/\t"_s};
        QTest::newRow("UTF-8") << QByteArray("https://b\xC3\xBC"
                                             "cher.example/\r\nhttps://\xE4\xBE\x8B.example/\r\n")
                               << QStringList{QStringLiteral("https://bücher.example/"),
                                              QStringLiteral("https://例.example/")};
        QTest::newRow("byte-order mark is not text")
            << QByteArray("\xEF\xBB\xBFhttps://a.example/\r\nb") << QStringList{u"https://a.example/"_s, u"b"_s};
        QTest::newRow("byte-order mark in a Latin-1 file") << QByteArray("\xEF\xBB\xBF"
                                                                         "caf\xE9")
                                                           << QStringList{QStringLiteral("café")};
        QTest::newRow("Latin-1") << QByteArray("https://b\xFC"
                                               "cher.example/\r\nk\xE9\r\n")
                                 << QStringList{QStringLiteral("https://bücher.example/"), QStringLiteral("ké")};
        // One stray byte at the very end makes the whole file Latin-1, its first line included.
        QTest::newRow("invalid UTF-8 late in the file")
            << (QByteArray("caf\xC3\xA9\r\n") + bytes(100000, 'x') + "\r\n\xFF")
            << QStringList{QStringLiteral("cafÃ©"), QString(100000, QLatin1Char('x')), QStringLiteral("ÿ")};
        // Byte sequences a lax decoder would let through as UTF-8.
        QTest::newRow("overlong form") << QByteArray("caf\xC3\xA9\r\n\xC0\xAF")
                                       << QStringList{QStringLiteral("cafÃ©"), QStringLiteral("À¯")};
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xA0\x80") << QStringList{QString::fromLatin1("\xED\xA0\x80")};
        QTest::newRow("UTF-8 cut off at the end")
            << QByteArray("a\r\n\xC3") << QStringList{u"a"_s, QStringLiteral("Ã")};
        QTest::newRow("NUL bytes keep the rest of the line")
            << QByteArray("a\0b\r\nc", 6) << QStringList{QString::fromUtf8("a\0b", 3), u"c"_s};
        QTest::newRow("CR LF split between two pieces")
            << (bytes(65535, 'x') + "\r\ny") << QStringList{QString(65535, QLatin1Char('x')), u"y"_s};
        QTest::newRow("line longer than 1 MB")
            << (bytes(3 * kMegabyte, 'u') + "\r\nz") << QStringList{QString(3 * kMegabyte, QLatin1Char('u')), u"z"_s};
        QTest::newRow("LF-only line longer than 1 MB")
            << (bytes(2 * kMegabyte, 'v') + "\nz\n")
            << QStringList{QString(2 * kMegabyte, QLatin1Char('v')), u"z"_s, u""_s};
    }

    void linesBecomeRows()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, rows);
        const int descriptors = openFileDescriptors();
        QCOMPARE(load(content), rows);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(openFileDescriptors(), descriptors);
    }

    void rowsFollowThoseAlreadyThere()
    {
        UrlListModel list;
        list.append(QStringLiteral("first"));
        const QString path = writeFile("a\r\nb\r\n");
        addListFile(list, path, dialogs);
        addListFile(list, path, dialogs);
        QCOMPARE(list.texts(), (QStringList{u"first"_s, u"a"_s, u"b"_s, u"a"_s, u"b"_s}));
        QCOMPARE(list.rowCount(), 5);
    }

    void missingFileIsAnsweredAndNothingLoaded()
    {
        UrlListModel list;
        list.append(QStringLiteral("kept"));
        addListFile(list, folder.filePath(QStringLiteral("no such file.txt")), dialogs);
        QCOMPARE(list.texts(), QStringList{u"kept"_s});
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("File not found"));
        QCOMPARE(dialogs.messages[0].title, applicationTitle());
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
    }

    void unreadablePathsRaiseAndKeepTheRows()
    {
        UrlListModel list;
        list.append(QStringLiteral("kept"));
        try {
            addListFile(list, folder.path(), dialogs);
            QFAIL("a folder was read as a list file");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), ErrorNumber::PathFileAccessError);
        }
        if (geteuid() != 0) {
            const QString locked = writeFile("a\r\n", QStringLiteral("locked.txt"));
            QFile::setPermissions(locked, QFileDevice::WriteOwner);
            QVERIFY_THROWS_EXCEPTION(RuntimeError, addListFile(list, locked, dialogs));
        }
        QCOMPARE(list.texts(), QStringList{u"kept"_s});
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A bookmarks export adds its bookmarks after the rows there, each once and only web pages; more
    // than 100 are added only when the user says so.
    void aBookmarksExportAddsItsPages()
    {
        UrlListModel list;
        list.append(QStringLiteral("mine"));
        addListFile(list,
                    writeFile(bookmarksExport({u"https://a.example/"_s, u"place:sort=8"_s, u"https://b.example/x"_s,
                                               u"https://a.example/#top"_s}),
                              QStringLiteral("bookmarks.html")),
                    dialogs);
        QCOMPARE(list.texts(), (QStringList{u"mine"_s, u"https://a.example/"_s, u"https://b.example/x"_s}));
        QCOMPARE(list.rowCount(), 3);
        QVERIFY(dialogs.questions.isEmpty());
        QVERIFY(dialogs.messages.isEmpty());

        QStringList many;
        for (int i = 1; i <= 150; ++i)
            many << QStringLiteral("https://example.com/%1").arg(i);
        const QString path = writeFile(bookmarksExport(many), QStringLiteral("many.html"));
        dialogs.questionAnswers << false << true;
        UrlListModel declined;
        addListFile(declined, path, dialogs);
        QCOMPARE(declined.count(), 0);
        QCOMPARE(dialogs.questions.size(), 1);
        QCOMPARE(dialogs.questions[0].text, QStringLiteral("The file lists 150 pages. Add them all to the list?"));
        QCOMPARE(dialogs.questions[0].title, applicationTitle());
        UrlListModel accepted;
        addListFile(accepted, path, dialogs);
        QCOMPARE(accepted.texts(), many);
        QCOMPARE(accepted.rowCount(), 150);
    }

    void aListThatCannotBeReadWholeIsSaidAndAddsNothing()
    {
        UrlListModel list;
        list.append(QStringLiteral("kept"));
        const int descriptors = openFileDescriptors();
        const QString path = writeFile("<?xml version='1.0'?>\n<urlset><url><loc>https://a.example/</url>",
                                       QStringLiteral("sitemap.xml"));
        addListFile(list, path, dialogs);
        QCOMPARE(list.texts(), QStringList{u"kept"_s});
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.startsWith(
                     u"Cannot read the list %1: it is not well-formed XML (line 2"_s.arg(path)),
                 qPrintable(dialogs.messages[0].text));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Warning);
        QCOMPARE(openFileDescriptors(), descriptors);
    }

    // The window keeps running during a load: a second load started from it is refused and the
    // first one goes on; the rows reach the list's views, and a closing program stops the load.
    void loadingLetsTheWindowRun()
    {
        UrlListModel list;
        QStringList lines;
        for (int i = 1; i <= 2000; ++i)
            lines << QStringLiteral("https://example.com/%1").arg(i);
        const QString path = writeFile(lines.join(QLatin1String("\r\n")).toLatin1());
        bool secondRefused = false;
        int rowsWhenSecondStarted = -1;
        QTimer::singleShot(0, [&] {
            rowsWhenSecondStarted = list.count();
            try {
                addListFile(list, path, dialogs);
            } catch (const RuntimeError &) {
                secondRefused = true;
            }
        });
        addListFile(list, path, dialogs);
        QVERIFY(secondRefused);
        QVERIFY(rowsWhenSecondStarted >= 0 && rowsWhenSecondStarted < lines.size());
        QCOMPARE(list.texts(), lines);
        QCOMPARE(list.rowCount(), lines.size());

        UrlListModel stopped;
        QTimer::singleShot(0, [] { beginProgramEnd(); });
        addListFile(stopped, path, dialogs);
        resetProgramEndForTesting();
        QVERIFY(stopped.count() < lines.size());
    }
};

QUILLBRAE_TEST_MAIN(ListFileAddingTest)
#include "test_list_file_adding.moc"
