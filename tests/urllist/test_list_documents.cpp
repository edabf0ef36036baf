#include "support/Gzipped.h"
#include "support/TestEnvironment.h"
#include "urllist/BadListError.h"
#include "urllist/ListDocument.h"
#include "urllist/ListLimits.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(ListKind)

namespace {

const QString kSite = u"https://site.example"_s;

QByteArray sitemap(const QStringList &pages)
{
    QByteArray xml = "<?xml version='1.0' encoding='UTF-8'?>\n"
                     "<urlset xmlns='http://www.sitemaps.org/schemas/sitemap/0.9'>";
    for (const QString &page : pages)
        xml += "<url><loc>" + page.toUtf8() + "</loc></url>\n";
    return xml + "</urlset>\n";
}

QByteArray sitemapIndex(const QStringList &sitemaps)
{
    QByteArray xml = "<sitemapindex xmlns='http://www.sitemaps.org/schemas/sitemap/0.9'>";
    for (const QString &part : sitemaps)
        xml += "<sitemap><loc>" + part.toUtf8() + "</loc><lastmod>2026-01-01</lastmod></sitemap>";
    return xml + "</sitemapindex>";
}

// site.example's pages by name.
QStringList pages(const QStringList &names)
{
    QStringList addresses;
    for (const QString &name : names)
        addresses << kSite + u"/"_s + name;
    return addresses;
}
} // namespace

// A list document becomes rows by what it holds: which kinds are told apart and how, the pages
// each kind gives (in order, each once, only web pages), text lists as they always were, and the
// lists refused whole.
class ListDocumentsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    // The document's address: "{dir}" is the temporary folder, as a file: address.
    QUrl resolvedAddress(const QString &text) const
    {
        return QUrl(QString(text).replace(u"{dir}"_s, QUrl::fromLocalFile(folder.path()).toString()));
    }

private slots:
    void documentsGiveTheirPages_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("location");
        QTest::addColumn<Files>("files"); // beside it in the folder, for an index to read
        QTest::addColumn<bool>("links");
        QTest::addColumn<bool>("sameSite");
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<QStringList>("rows");

        const QString here = kSite + u"/docs/index.html"_s;
        // Pages of a sitemap: a picture's own loc, an entity, a fragment of a page already listed.
        QTest::newRow("sitemap")
            << QByteArray("<?xml version='1.0'?>\n"
                          "<urlset xmlns='http://www.sitemaps.org/schemas/sitemap/0.9' "
                          "xmlns:image='http://www.google.com/schemas/sitemap-image/1.1'>\n"
                          " <url><loc> https://site.example/a?x=1&amp;y=2 "
                          "</loc><image:image><image:loc>https://site.example/a.png</image:loc></image:image></url>\n"
                          " <url><loc><![CDATA[https://site.example/b]]></loc></url>\n"
                          " <url><loc>https://site.example/a?x=1&amp;y=2#top</loc></url>\n"
                          " <url><loc>ftp://site.example/c</loc></url>\n"
                          "</urlset>")
            << here << Files() << false << false << ListKind::Sitemap << pages({u"a?x=1&y=2"_s, u"b"_s});
        QTest::newRow("sitemap after a byte-order mark and a comment, without a declaration")
            << QByteArray(
                   "\xEF\xBB\xBF<!-- made by hand -->\n<urlset><url><loc>https://site.example/a</loc></url></urlset>")
            << here << Files() << false << false << ListKind::Sitemap << pages({u"a"_s});
        QTest::newRow("gzipped sitemap") << gzipped(sitemap(pages({u"a"_s, u"b"_s}))) << here << Files() << false
                                         << false << ListKind::Sitemap << pages({u"a"_s, u"b"_s});
        // Its parts in turn, a packed one too, each read once though listed again (and the index
        // itself); a page in two parts is printed once.
        QTest::newRow("sitemap index with a gzipped part")
            << sitemapIndex({u"{dir}/part1.xml"_s, u"{dir}/index.xml"_s, u"{dir}/part2.xml.gz"_s, u"{dir}/part1.xml"_s})
            << u"{dir}/index.xml"_s
            << Files{{u"part1.xml"_s, sitemap(pages({u"1a"_s, u"1b"_s}))},
                     {u"part2.xml.gz"_s, gzipped(sitemap(pages({u"2a"_s, u"1a"_s})))}}
            << false << false << ListKind::SitemapIndex << pages({u"1a"_s, u"1b"_s, u"2a"_s});
        QTest::newRow("index of an index") << sitemapIndex({u"{dir}/inner.xml"_s}) << u"{dir}/outer.xml"_s
                                           << Files{{u"inner.xml"_s, sitemapIndex({u"{dir}/part.xml"_s})},
                                                    {u"part.xml"_s, sitemap(pages({u"deep"_s}))}}
                                           << false << false << ListKind::SitemapIndex << pages({u"deep"_s});
        // An item's link, else a guid that is its permanent address; an atom:link is no item's page.
        QTest::newRow("RSS")
            << QByteArray(
                   "<?xml version='1.0'?>\n"
                   "<rss version='2.0' "
                   "xmlns:atom='http://www.w3.org/2005/Atom'><channel><link>https://site.example/</link>\n"
                   "<atom:link href='https://site.example/feed' rel='self'/>\n"
                   "<item><title>1</title><guid>https://site.example/guid1</guid><link>https://site.example/one</"
                   "link></item>\n"
                   "<item><title>2</title><guid>https://site.example/two</guid></item>\n"
                   "<item><title>3</title><guid>8a3f-not-an-address</guid></item>\n"
                   "<item><title>4</title><guid isPermaLink='false'>https://site.example/not-a-page</guid></item>\n"
                   "<item><title>5</title><link>  https://site.example/one#comments </link></item>\n"
                   "</channel></rss>")
            << here << Files() << false << false << ListKind::Feed << pages({u"one"_s, u"two"_s});
        QTest::newRow("Atom")
            << QByteArray("<feed xmlns='http://www.w3.org/2005/Atom' xml:base='https://site.example/news/'>\n"
                          "<link rel='self' href='feed.atom'/>\n"
                          "<entry><link rel='edit' href='edit/1'/><link href='first'/></entry>\n"
                          "<entry xml:base='/archive/'><link rel='alternate' type='text/html' href='second'/></entry>\n"
                          "<entry><id>urn:uuid:no-page</id></entry>\n"
                          "</feed>")
            << here << Files() << false << false << ListKind::Feed << pages({u"news/first"_s, u"archive/second"_s});
        QTest::newRow("bookmarks") << QByteArray(
                                          "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                                          "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=UTF-8'>\n"
                                          "<TITLE>Bookmarks</TITLE><H1>Bookmarks</H1>\n"
                                          "<DL><p>\n"
                                          "  <DT><H3>Work</H3>\n"
                                          "  <DL><p>\n"
                                          "    <DT><A HREF='https://site.example/b&uuml;cher' ADD_DATE='1'>Books</A>\n"
                                          "    <DT><A HREF='place:sort=8&maxResults=10'>Recent</A>\n"
                                          "    <DT><A HREF='javascript:alert(1);'>A bookmarklet</A>\n"
                                          "  </DL><p>\n"
                                          "  <DT><A HREF='https://other.example/'>Other</A>\n"
                                          "  <DT><A HREF='https://site.example/b%C3%BCcher#again'>Books again</A>\n"
                                          "</DL><p>")
                                   << u"{dir}/bookmarks.html"_s << Files() << false << false << ListKind::Bookmarks
                                   << QStringList{kSite + u"/b%C3%BCcher"_s, u"https://other.example/"_s};

        const QByteArray indexPage =
            "<!DOCTYPE html><html><head><title>Docs</title></head><body>\n"
            "<p><a href='#top'>Top</a> <a href='guide.html'>Guide</a> <a href='mailto:docs@site.example'>Mail</a>\n"
            "<a href='javascript:void(0);'>Menu</a> <a href='guide.html#install'>Installing</a> <a "
            "href='index.html'>Here</a>\n"
            "<a href='https://other.example/x'>Elsewhere</a> <a href='../api/'>API</a> <a href='/faq'>FAQ</a>\n"
            "<map><area href='map.html'></map> <a href=' guide.html '>Guide again</a> <a>no address</a>\n"
            "<a href='file:///etc/passwd'>Local</a></body></html>";
        QTest::newRow("web page without --links")
            << indexPage << here << Files() << false << false << ListKind::WebPage << QStringList();
        QTest::newRow("web page's links")
            << indexPage << here << Files() << true << false << ListKind::WebPage
            << QStringList{kSite + u"/docs/guide.html"_s, u"https://other.example/x"_s, kSite + u"/api/"_s,
                           kSite + u"/faq"_s, kSite + u"/docs/map.html"_s};
        QTest::newRow("web page's links on its own site")
            << indexPage << here << Files() << true << true << ListKind::WebPage
            << pages({u"docs/guide.html"_s, u"api/"_s, u"faq"_s, u"docs/map.html"_s});
        QTest::newRow("links against the page's base")
            << QByteArray("<html><head><base href=\"https://cdn.example/v2/\"></head><body><a href=\"a\">a</a>"
                          "<base href=\"https://ignored.example/\"><a href=\"/b\">b</a></body></html>")
            << here << Files() << true << false << ListKind::WebPage
            << QStringList{u"https://cdn.example/v2/a"_s, u"https://cdn.example/b"_s};
        QTest::newRow("a saved page keeps its local links")
            << QByteArray(
                   "<html><body><a href=\"chapter1.html\">1</a><a href=\"file:///etc/hosts\">h</a></body></html>")
            << u"{dir}/saved.html"_s << Files() << true << false << ListKind::WebPage
            << QStringList{resolvedAddress(u"{dir}/chapter1.html"_s).toString(), u"file:///etc/hosts"_s};
        QTest::newRow("XHTML") << QByteArray("<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
                                             "<body><a href=\"x\">x</a></body></html>")
                               << here << Files() << true << false << ListKind::WebPage << pages({u"docs/x"_s});

        // Text lists keep every row as it is: blank, repeated, or starting like markup.
        QTest::newRow("text") << QByteArray("https://site.example/a\n\n  https://site.example/a \n") << here << Files()
                              << true << true << ListKind::Text
                              << QStringList{kSite + u"/a"_s, u""_s, u"  https://site.example/a "_s, u""_s};
        QTest::newRow("text whose rows start with <")
            << QByteArray("<https://site.example/a>\r\n<!-- not a comment\r\n<?xml-ish") << here << Files() << false
            << false << ListKind::Text
            << QStringList{u"<https://site.example/a>"_s, u"<!-- not a comment"_s, u"<?xml-ish"_s};
        QTest::newRow("gzipped text") << gzipped("a\r\nb") << u"{dir}/list.txt.gz"_s << Files() << false << false
                                      << ListKind::Text << QStringList{u"a"_s, u"b"_s};
    }

    void documentsGiveTheirPages()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, location);
        QFETCH(Files, files);
        QFETCH(bool, links);
        QFETCH(bool, sameSite);
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            QFile written(folder.filePath(file.key()));
            QVERIFY(written.open(QIODevice::WriteOnly));
            written.write(QByteArray(file.value()).replace("{dir}", QUrl::fromLocalFile(folder.path()).toEncoded()));
        }
        ListReading reading;
        reading.links = links;
        reading.sameSite = sameSite;
        const QByteArray bytes = QByteArray(document).replace("{dir}", QUrl::fromLocalFile(folder.path()).toEncoded());
        const ListPages list = readListDocument(bytes, resolvedAddress(location), reading);
        QTEST(list.kind, "kind");
        QTEST(list.rows, "rows");
    }

    void badListsAreRefusedWhole_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("problem");

        const QString here = kSite + u"/sitemap.xml"_s;
        QTest::newRow("XML that is not well-formed")
            << QByteArray("<?xml version=\"1.0\"?>\n<urlset>\n<url><loc>https://site.example/a</url></urlset>") << here
            << u"it is not well-formed XML (line 3, column"_s;
        QTest::newRow("XML cut short") << sitemap(pages({u"a"_s})).chopped(20) << here
                                       << u"it is not well-formed XML"_s;
        QTest::newRow("XML of another kind") << QByteArray("<?xml version=\"1.0\"?><svg/>") << here
                                             << u"it is an XML document of another kind (<svg>)"_s;
        QStringList tooMany;
        for (int i = 0; i <= 50'000; ++i)
            tooMany << kSite + u"/"_s + QString::number(i);
        QTest::newRow("more than 50,000 entries") << sitemap(tooMany) << here << u"it lists more than 50000 entries"_s;
        QByteArray huge = sitemap({}).replace("</urlset>", QByteArray(kMaxListBytes, ' ') + "</urlset>");
        QTest::newRow("more than 50 MB") << huge << here << u"it is larger than 50 MB"_s;
        QTest::newRow("gzip bomb") << gzipped(huge) << here << u"it unpacks to more than 50 MB"_s;
        QTest::newRow("damaged gzip") << gzipped(sitemap(pages({u"a"_s}))).chopped(12) << here
                                      << u"the gzip data is damaged or cut short"_s;
        QTest::newRow("a part that is not there") << sitemapIndex({u"{dir}/missing.xml"_s}) << u"{dir}/index.xml"_s
                                                  << u"its sitemap {dir}/missing.xml: Path/File access error"_s;
        QTest::newRow("a part that is a feed")
            << sitemapIndex({u"{dir}/index.xml"_s, u"{dir}/feed.xml"_s}) << u"{dir}/index.xml"_s
            << u"its sitemap {dir}/feed.xml: it is neither a sitemap nor a sitemap index"_s;
        QTest::newRow("a part that is a page") << sitemapIndex({u"{dir}/page.html"_s}) << u"{dir}/index.xml"_s
                                               << u"its sitemap {dir}/page.html: it is neither a sitemap nor a"_s;
        QTest::newRow("a web index naming a file")
            << sitemapIndex({u"file:///etc/sitemap.xml"_s}) << here
            << u"its sitemap file:///etc/sitemap.xml: a sitemap index from the web may not name a file"_s;
        QTest::newRow("a web text list naming a file")
            << QByteArray("https://site.example/a\n/etc/passwd\n") << here
            << u"a list from the web may not name a file on this computer (/etc/passwd)"_s;
    }

    void badListsAreRefusedWhole()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, location);
        QFETCH(QString, problem);
        for (const auto &[name, content] : {std::pair{"feed.xml", "<rss version='2.0'><channel/></rss>"},
                                            std::pair{"page.html", "<html><a href='https://site.example/'>"}}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString dir = QUrl::fromLocalFile(folder.path()).toString();
        const QByteArray bytes = QByteArray(document).replace("{dir}", dir.toUtf8());
        try {
            const ListPages list = readListDocument(bytes, resolvedAddress(location), ListReading());
            QFAIL(qPrintable(u"read as %1 rows"_s.arg(list.rows.size())));
        } catch (const BadListError &error) {
            QVERIFY2(error.description().startsWith(problem.replace(u"{dir}"_s, dir)), qPrintable(error.description()));
        }
    }
};

QUILLBRAE_TEST_MAIN(ListDocumentsTest)
#include "test_list_documents.moc"
