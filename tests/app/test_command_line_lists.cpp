#include "CommandLineRunTest.h"
#include "printing/PrintedJobs.h"
#include "support/Gzipped.h"

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

// Lists the command line reads from elsewhere than a file of addresses: sitemaps by address,
// pages of links, standard input; and lists it can't read.
class CommandLineListsTest : public CommandLineRunTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }

    // A list given by address is read by what it holds. A sitemap index's sitemaps, one packed, are
    // fetched in turn, the index itself (which lists itself) once, and their pages print in order,
    // each once.
    void aServedSitemapIndexPrintsItsPagesInOrder()
    {
        TestHttpServer::Page index;
        index.contentType = "application/xml";
        index.body = "<sitemapindex xmlns='http://www.sitemaps.org/schemas/sitemap/0.9'>";
        for (const QString &part : {u"/lists/part1.xml"_s, u"/lists/index.xml"_s, u"/lists/part2.xml.gz"_s})
            index.body += "<sitemap><loc>" + web.url(part).toUtf8() + "</loc></sitemap>";
        index.body += "</sitemapindex>";
        web.serve(u"/lists/index.xml"_s, index);
        TestHttpServer::Page part1;
        part1.contentType = "application/xml";
        part1.body = sitemapOf({goodPages()[0], goodPages()[1]});
        web.serve(u"/lists/part1.xml"_s, part1);
        TestHttpServer::Page part2;
        part2.contentType = "application/gzip";
        part2.body = gzipped(sitemapOf({goodPages()[2], goodPages()[0] + u"#again"_s}));
        web.serve(u"/lists/part2.xml.gz"_s, part2);

        const QTemporaryDir folder;
        listFile = web.url(u"/lists/index.xml"_s);
        const Run result = run({u"--pdf-dir"_s, folder.path()});
        useTheListFile();
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.reportLines.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(result.reportLines[i].startsWith(u"[%1/3] %2 saved"_s.arg(i + 1).arg(goodPages()[i])),
                     qPrintable(result.errors));
        QCOMPARE(web.requestedPaths().count(u"/lists/index.xml"_s), 1);
    }

    // Over 100 pages from a sitemap print nothing without --max-pages, which prints the first ones.
    void aLongSitemapNeedsMaxPages()
    {
        QStringList pages = goodPages();
        for (int i = 4; i <= 150; ++i)
            pages << web.url(u"/page%1.html"_s.arg(i));
        TestHttpServer::Page sitemap;
        sitemap.body = sitemapOf(pages);
        web.serve(u"/long-sitemap.xml"_s, sitemap);
        listFile = web.url(u"/long-sitemap.xml"_s);
        const QTemporaryDir folder;
        const Run refused = run({u"--pdf-dir"_s, folder.path()});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.errors.contains(
                     u"The sitemap %1 lists 150 pages, more than 100: give --max-pages 150 "_s.arg(listFile)),
                 qPrintable(refused.errors));
        QVERIFY(!web.requestedPaths().contains(u"/page4.html"_s));
        QVERIFY(QDir(folder.path()).isEmpty());

        const Run firstTwo = run({u"--pdf-dir"_s, folder.path(), u"--max-pages"_s, u"2"_s});
        useTheListFile();
        QCOMPARE(firstTwo.exitCode, 0);
        QCOMPARE(firstTwo.reportLines.size(), 3);
        QVERIFY(firstTwo.reportLines[1].startsWith(u"[2/2] %1 saved"_s.arg(goodPages()[1])));
    }

    // A list that can't be read whole prints nothing and says why; so does a web page given without
    // --links.
    void aBadListPrintsNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not there") << u"/no-such-sitemap.xml"_s << u"Cannot read the list {list}: HTTP 404."_s;
        QTest::newRow("malformed XML") << u"/broken.xml"_s
                                       << u"Cannot read the list {list}: it is not well-formed XML (line 1"_s;
        QTest::newRow("a missing sitemap")
            << u"/missing-part.xml"_s << u"Cannot read the list {list}: its sitemap {part}: HTTP 404."_s;
        QTest::newRow("a web page") << u"/page-of-links.html"_s
                                    << u"The list {list} is a web page, not a list of addresses: give --links"_s;
    }

    void aBadListPrintsNothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        TestHttpServer::Page broken;
        broken.body = "<urlset><url><loc>" + goodPages()[0].toUtf8() + "</loc></url>";
        web.serve(u"/broken.xml"_s, broken);
        TestHttpServer::Page missingPart;
        TestHttpServer::Page goodPart;
        goodPart.body = sitemapOf(goodPages());
        web.serve(u"/good-part.xml"_s, goodPart);
        missingPart.body = "<sitemapindex><sitemap><loc>" + web.url(u"/good-part.xml"_s).toUtf8() +
                           "</loc></sitemap><sitemap><loc>" + web.url(u"/gone.xml"_s).toUtf8() +
                           "</loc></sitemap></sitemapindex>";
        web.serve(u"/missing-part.xml"_s, missingPart);
        TestHttpServer::Page page;
        page.body = "<!DOCTYPE html><html><body><a href='/one.html'>One</a></body></html>";
        web.serve(u"/page-of-links.html"_s, page);

        listFile = web.url(path);
        const int before = jobCount(kQueue);
        const Run result = run({u"--printer"_s, kQueue});
        useTheListFile();
        QCOMPARE(result.exitCode, 2);
        problem.replace(u"{list}"_s, web.url(path)).replace(u"{part}"_s, web.url(u"/gone.xml"_s));
        QVERIFY2(result.errors.contains(problem), qPrintable(result.errors));
        QVERIFY(!result.errors.contains(u"[1/"_s));
        QCOMPARE(jobCount(kQueue), before);
    }

    void aClosedStandardInputIsAListThatCannotBeRead()
    {
        childSetUp = [] { ::close(STDIN_FILENO); };
        listFile = QStringLiteral("-");
        const Run result = runProcess({});
        childSetUp = [] {};
        useTheListFile();
        QCOMPARE(result.exitCode, 2);
        QCOMPARE(result.reportLines, QStringList{u"Cannot read the list -: Path/File access error."_s});
    }
};

QUILLBRAE_TEST_MAIN(CommandLineListsTest)
#include "test_command_line_lists.moc"
