#include "CommandLineRunTest.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>

#include <utility>

using namespace Qt::StringLiterals;

// The command line's run saving PDF files instead of printing: a file a page in a folder, or
// one file of all the pages; and what it does where it can't write.
class CommandLinePdfTest : public CommandLineRunTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }

    // Each page a file named by its row and title, in list order, with the page's text; a name
    // that is taken gets " (2)", and what was there stays. A skipped row keeps its number for
    // itself. No printer is asked for anything.
    void pagesSaveAsOneFileEachNamedByTitle()
    {
        const QString folder = testHome() + u"/Reports"_s;
        QVERIFY(QDir().mkpath(folder));
        QFile earlier(folder + u"/005 Page two.pdf"_s);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({goodPages()[0], web.url(u"/missing.html"_s), web.url(u"/slash.html"_s), web.url(u"/untitled.html"_s),
                   goodPages()[1], web.url(u"/report?name=Quarterly"_s), web.url(u"/wiki/Paris"_s),
                   web.url(u"/invoice.html"_s)});
        const int jobsBefore = jobsOnEveryQueue();
        const Run result = run({u"--pdf-dir"_s, folder, u"--json"_s, u"--skip-failed"_s});

        QCOMPARE(result.exitCode, 1);
        const QStringList names{u"001 Page one.pdf"_s,       u"003 Q1-Q2 results.pdf"_s, u"004 127.0.0.1.pdf"_s,
                                u"005 Page two (2).pdf"_s,   u"006 Quarterly.pdf"_s,     u"007 Paris.pdf"_s,
                                u"008 Invoice fdp.exe.pdf"_s};
        QStringList there = QStringList(names) << u"005 Page two.pdf"_s;
        there.sort();
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), there);
        const QStringList texts{u"Text of page one"_s,   u"Text of the results"_s, u"Text of a page without a title"_s,
                                u"Text of page two"_s,   u"Text of the quarter"_s, u"Text of Paris"_s,
                                u"Text of the invoice"_s};
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString text = toolOutput(u"pdftotext"_s, {folder + u'/' + names[i], u"-"_s});
            QVERIFY2(text.contains(texts[i]), qPrintable(names[i] + u": "_s + text));
        }
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));

        QStringList files;
        for (const QString &name : names)
            files << folder + u'/' + name;
        files.insert(1, QString());
        QCOMPARE(jsonMembers(result.jsonLines, u"file"_s), files);
        QCOMPARE(jsonMembers(result.jsonLines, u"outcome"_s),
                 (QStringList{u"saved"_s, u"skipped"_s, u"saved"_s, u"saved"_s, u"saved"_s, u"saved"_s, u"saved"_s,
                              u"saved"_s}));
        QCOMPARE(result.reportLines[0], u"[1/8] %1 saved to \"%2\""_s.arg(goodPages()[0], files[0]));
        QCOMPARE(result.reportLines.last(), u"Saved 7, skipped 1, failed 0, refused 0."_s);
        QCOMPARE(jobsOnEveryQueue(), jobsBefore);
        QCOMPARE(lpstatDefault(), kSystemDefault);
    }

    // One file of every page in list order, a bookmark each at its page's first sheet, titled by
    // the page or, without a title, by its address; it replaces the file that was there, whole.
    void pagesJoinIntoOneFileWithABookmarkEach()
    {
        const QString folder = testHome() + u"/joined"_s;
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + u"/all.pdf"_s;
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({web.url(u"/long.html"_s), goodPages()[0], web.url(u"/untitled.html"_s)});
        const int jobsBefore = jobsOnEveryQueue();
        const Run result = run({u"--pdf"_s, file, u"--json"_s});

        QCOMPARE(result.exitCode, 0);
        QCOMPARE(jsonMembers(result.jsonLines, u"file"_s), QStringList(3, file));
        QCOMPARE(jsonMembers(result.jsonLines, u"outcome"_s), QStringList(3, u"saved"_s));
        // A page is only kept for the file until it is written.
        QCOMPARE(result.reportLines[0], u"[1/3] %1 kept for \"%2\""_s.arg(web.url(u"/long.html"_s), file));
        QVERIFY2(
            result.errors.endsWith(u"Wrote 3 pages to \"%1\".\nSaved 3, skipped 0, failed 0, refused 0.\n"_s.arg(file)),
            qPrintable(result.errors));
        QVERIFY(toolOutput(u"qpdf"_s, {u"--check"_s, file}).contains(u"No syntax or stream encoding errors"_s));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"all.pdf"_s});
        const int sheets =
            QRegularExpression(u"Pages: +(\\d+)"_s).match(toolOutput(u"pdfinfo"_s, {file})).captured(1).toInt();
        QVERIFY2(sheets >= 4, qPrintable(QString::number(sheets)));
        const QJsonArray outline =
            QJsonDocument::fromJson(toolOutput(u"qpdf"_s, {u"--json"_s, u"--json-key=outlines"_s, file}).toUtf8())
                .object()
                .value(u"outlines"_s)
                .toArray();
        QStringList titles;
        QList<int> firstSheets;
        for (const QJsonValue bookmark : outline) {
            titles << bookmark[u"title"_s].toString();
            firstSheets << bookmark[u"destpageposfrom1"_s].toInt();
        }
        QCOMPARE(titles, (QStringList{u"A long report"_s, u"Page one"_s, web.url(u"/untitled.html"_s)}));
        QCOMPARE(firstSheets, (QList<int>{1, sheets - 1, sheets}));
        const QString text = toolOutput(u"pdftotext"_s, {file, u"-"_s});
        QVERIFY(text.indexOf(u"Paragraph 120"_s) < text.indexOf(u"Text of page one"_s));
        QVERIFY(text.indexOf(u"Text of page one"_s) < text.indexOf(u"Text of a page without a title"_s));
        QCOMPARE(jobsOnEveryQueue(), jobsBefore);
    }

    // A folder or file that can't be written is refused before any page loads.
    void anUnwritableTargetIsRefusedBeforeAnyPageLoads()
    {
        writeList(goodPages());
        const qsizetype requests = web.requestedPaths().size();
        // A folder under a regular file can't be made or written, whoever runs the test.
        const QString underAFile = listFile + u"/sub"_s;
        const std::pair<QStringList, QString> targets[] = {
            {{u"--pdf-dir"_s, underAFile}, u"The folder \"%1\" could not be made: Not a directory"_s.arg(underAFile)},
            {{u"--pdf-dir"_s, listFile}, u"\"%1\" is not a folder."_s.arg(listFile)},
            {{u"--pdf"_s, underAFile + u"/all.pdf"_s}, u"There is no folder \"%1\"."_s.arg(underAFile)},
            {{u"--pdf"_s, testHome()}, u"\"%1\" is a folder; a file's name is needed."_s.arg(testHome())},
        };
        for (const auto &[options, message] : targets) {
            const Run refused = run(options);
            QCOMPARE(refused.exitCode, 2);
            QVERIFY2(refused.errors.endsWith(message + u'\n'), qPrintable(refused.errors));
        }
        QCOMPARE(web.requestedPaths().size(), requests);

        // A folder that is not there yet is made, with its parents, as mkdir -p does.
        const QString deep = testHome() + u"/made/for/the/run"_s;
        const Run made = run({u"--pdf-dir"_s, deep});
        QCOMPARE(made.exitCode, 0);
        QVERIFY2(made.errors.contains(u"Made the folder \"%1\".\n[1/3] "_s.arg(deep)), qPrintable(made.errors));
        QCOMPARE(QDir(deep).entryList(QDir::Files).size(), 3);
    }

    // On a disk that fills up, no page is reported saved that was not written, and the system says
    // why; the file that was there stays, and nothing of the run is left beside it.
    void aFullDiskSavesNothingItCannotWrite()
    {
        const QString disk = testHome() + u"/small-disk"_s;
        QVERIFY(QDir().mkpath(disk));
        if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, disk}) != 0)
            QSKIP("mounting a small file system needs root");
        const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {disk}); });
        const QString file = disk + u"/all.pdf"_s;
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        writeList({web.url(u"/long.html"_s), goodPages()[0], goodPages()[1], web.url(u"/wide.html"_s)});

        const Run joined = run({u"--pdf"_s, file, u"--json"_s});
        QCOMPARE(joined.exitCode, 1);
        QCOMPARE(joined.jsonLines.size(), 4);
        for (const QString &line : joined.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            QVERIFY2(page.value(u"outcome"_s).toString() != u"saved"_s, qPrintable(line));
            QVERIFY2(page.value(u"error"_s).toString().contains(u"No space left on device"_s), qPrintable(line));
        }
        QVERIFY2(joined.reportLines.last().startsWith(u"Saved 0, skipped 0, "_s), qPrintable(joined.errors));
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
        earlier.close();
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden), QStringList{u"all.pdf"_s});

        // A page a file: those saved are there whole, the others say why not.
        const Run folder = run({u"--pdf-dir"_s, disk, u"--json"_s});
        QCOMPARE(folder.exitCode, 1);
        int notSaved = 0;
        for (const QString &line : folder.jsonLines) {
            const QJsonObject page = QJsonDocument::fromJson(line.toUtf8()).object();
            if (page.value(u"outcome"_s).toString() == u"saved"_s) {
                QVERIFY(
                    toolOutput(u"qpdf"_s, {u"--check"_s, page.value(u"file"_s).toString()}).contains(u"No syntax"_s));
                continue;
            }
            ++notSaved;
            QVERIFY2(page.value(u"error"_s).toString().endsWith(u"No space left on device"_s), qPrintable(line));
        }
        QVERIFY(notSaved > 0);
        QVERIFY(!QDir(disk).entryList(QDir::Files | QDir::Hidden).join(u' ').contains(u".part"_s));
    }
};

QUILLBRAE_TEST_MAIN(CommandLinePdfTest)
#include "test_command_line_pdf.moc"
