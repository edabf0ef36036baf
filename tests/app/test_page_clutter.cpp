#include "CommandLineTests.h"
#include "PrintServerTools.h"
#include "browser/ElementWait.h"
#include "browser/PageClutter.h"
#include "printing/TestHttpServer.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QString paragraphs(const QString &page, int count)
{
    QString html;
    for (int i = 1; i <= count; ++i)
        html += u"<p>Paragraph %1 of the %2.</p>\n"_s.arg(i).arg(page);
    return html;
}

QByteArray page(const QString &title, const QString &style, const QString &body)
{
    return u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title><style>%2</style></head>"
           u"<body>%3</body></html>"_s.arg(title, style, body)
               .toUtf8();
}

// A page built as sites build them, and what its sheets must show.
struct ClutterPage
{
    QString path;
    QByteArray html;
    QStringList printed;  // on the sheets either way
    QStringList leftOff;  // left off by default, printed with --keep-overlays
    QStringList unlocked; // printed only once the notice's lock on scrolling is undone
    QString once;         // a word, by default once; with --keep-overlays on every sheet
    int leftOffCount = 0; // "left_off" by default
};

QList<ClutterPage> clutterPages()
{
    return {
        // A consent platform's banner along the bottom, over its own dimming layer, as its script
        // writes them.
        {u"/consent.html"_s,
         page(u"Consent platform page"_s, {},
              u"<h1>Harbour news</h1>"_s + paragraphs(u"harbour news"_s, 30) + uR"(<div id="onetrust-consent-sdk">
  <div class="onetrust-pc-dark-filter" style="position:fixed;inset:0;background:rgba(0,0,0,.5);z-index:2147483646"></div>
  <div id="onetrust-banner-sdk" style="position:fixed;left:0;right:0;bottom:0;padding:20px;background:#fff;z-index:2147483647">
    <p>We value your privacy. We and our partners store and access information on your device.</p>
    <button>Accept All Cookies</button> <button>Cookies Settings</button>
  </div></div>)"_s),
         {u"Paragraph 30 of the harbour news."_s},
         {u"We value your privacy"_s},
         {},
         {},
         1},
        // A site's own cookie wall: a dialog over a dimming layer, which locks the page's scrolling.
        {u"/wall.html"_s,
         page(u"Cookie wall page"_s,
              u"html, body { overflow: hidden; height: 100%; margin: 0 }"
              u".backdrop { position: fixed; inset: 0; background: rgba(0,0,0,.6); z-index: 900 }"
              u".wall { position: fixed; top: 15%; left: 20%; width: 60%; padding: 24px; background: #fff; "
              u"z-index: 901 }"_s,
              u"<main>"_s + paragraphs(u"wall page"_s, 120) + uR"(</main><div class="backdrop"></div>
<div class="wall" role="dialog" aria-modal="true"><h2>Before you continue to the site</h2>
  <p>We use cookies and data to deliver our services and to show personalised advertising.</p>
  <button>Reject all</button> <button>Accept all</button></div>)"_s),
         {u"Paragraph 1 of the wall page."_s},
         {u"Before you continue"_s},
         {u"Paragraph 120 of the wall page."_s},
         {},
         2},
        {u"/newsletter.html"_s,
         page(u"Newsletter page"_s,
              u".popup { position: fixed; top: 25%; left: 30%; width: 40%; padding: 20px; background: #fff; "
              u"border: 2px solid #333; z-index: 1000 }"_s,
              u"<article>"_s + paragraphs(u"newsletter page"_s, 20) +
                  uR"(</article><div class="popup"><h3>Never miss a story</h3>
  <p>Subscribe to our newsletter and get the week's best stories in your inbox.</p>
  <form><input type="email" placeholder="Your email"> <button type="button">Sign up</button></form></div>)"_s),
         {u"Paragraph 20 of the newsletter page."_s},
         {u"Never miss a story"_s},
         {},
         {},
         1},
        // A header pinned to the top, whose links speak of privacy and subscribing, over a page of
        // several sheets, and a small button pinned to a corner.
        {u"/header.html"_s,
         page(u"Fixed header page"_s,
              u"body { margin: 0; padding-top: 70px }"
              u"header { position: fixed; top: 0; left: 0; right: 0; height: 60px; background: #eee; z-index: 10 }"
              u".to-top { position: fixed; right: 16px; bottom: 16px; width: 60px; height: 40px; z-index: 10 }"_s,
              uR"(<header><strong>Valley Gazette masthead</strong>
  <nav><a href="/">Home</a> <a href="/privacy">Privacy</a> <a href="/subscribe">Subscribe</a></nav></header>)"_s +
                  paragraphs(u"gazette"_s, 150) + u"<a class=\"to-top\" href=\"#\">Upwards</a>"_s),
         {u"Paragraph 150 of the gazette."_s},
         {u"Upwards"_s},
         {},
         u"masthead"_s,
         1},
        // A bar the site pins only on screens as narrow as a sheet; on a wide one it stands at the
        // top of the page.
        {u"/narrow-bar.html"_s,
         page(u"Narrow bar page"_s,
              u"body { margin: 0 } .bar { height: 40px; background: #eee }"
              u"@media (max-width: 900px) { body { padding-top: 50px } .bar { position: fixed; top: 0; left: 0; "
              u"right: 0; box-shadow: 0 0 2px rgba(0, 0, 0, .25) } }"_s,
              u"<div class=\"bar\">Harbour app bar</div>"_s + paragraphs(u"app page"_s, 150)),
         {u"Paragraph 150 of the app page."_s},
         {},
         {},
         u"Harbour app bar"_s,
         0},
        // A recipe that talks of cookies, beside a sticky bar and a sign-up form in the page itself.
        {u"/recipe.html"_s,
         page(u"Recipe page"_s, u".jump { position: sticky; top: 0; background: #ffe; padding: 8px }"_s,
              uR"(<div class="jump">Brown butter cookies <button>Jump to recipe</button></div>
<p>These cookies are the ones my grandmother baked; accept that the dough needs a night in the fridge.</p>)"_s +
                  paragraphs(u"recipe"_s, 30) +
                  uR"(<form><p>Subscribe to new recipes and cookie tips, and read our privacy policy.</p>
  <input type="email"> <button type="button">Subscribe</button></form>
<p>Last step: let the cookies cool on the tray.</p>)"_s),
         {u"Brown butter cookies"_s, u"grandmother baked"_s, u"Subscribe to new recipes"_s,
          u"Last step: let the cookies cool on the tray."_s},
         {},
         {},
         {},
         0},
    };
}

TestHttpServer::Page served(const QByteArray &html)
{
    TestHttpServer::Page page;
    page.body = html;
    return page;
}

// In the order the page drew it: a box over the text reads whole, not interleaved with the lines
// it covers.
QString textOf(const QString &file)
{
    return toolOutput(u"pdftotext"_s, {u"-raw"_s, file, u"-"_s});
}
} // namespace

// What of a page reaches the sheets: notices and pop-ups left off, a pinned header once (also one
// pinned only as narrow as the sheet), or only the element asked for; through the command line's
// run in this process, saving PDF files.
class PageClutterTest : public QObject
{
    Q_OBJECT

    TestHttpServer web;
    QString listFile;

    void writeList(const QStringList &addresses)
    {
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((addresses.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        listFile = testHome() + u"/list.txt"_s;
        for (const ClutterPage &clutter : clutterPages())
            web.serve(clutter.path, served(clutter.html));
        web.serve(
            u"/article.html"_s,
            served(page(u"Article page"_s, u"article { font-family: serif }"_s,
                        u"<header>Site masthead</header><nav><a href=\"/\">Site menu</a></nav><main><article>"
                        u"<h1>The article</h1><p>Article body text.</p></article><aside>Sidebar text</aside></main>"
                        u"<footer>Site footer</footer>"_s)));
    }

    // Every selector of the consent platforms' list is one the browser reads: one it can't would
    // match nothing, and its platform's notice would print.
    void theConsentListIsReadable()
    {
        const QStringList selectors = consentNoticeSelectors();
        QVERIFY2(selectors.size() >= 30, qPrintable(selectors.join(u", "_s)));
        QVERIFY(selectors.contains(u"#onetrust-consent-sdk"_s));
        for (const QString &selector : selectors) {
            QVERIFY2(!selector.startsWith(u"# "_s), qPrintable(selector));
            QVERIFY2(browserReadsSelector(selector) == true, qPrintable(selector));
        }
    }

    // By default no notice or pop-up reaches the sheets, the page a notice locked prints whole, a
    // pinned header prints once and a recipe about cookies whole; --keep-overlays prints each as it
    // stands. The JSON says how much was left off each page.
    void noticesAndPopUpsAreLeftOffUnlessKept()
    {
        const QList<ClutterPage> pages = clutterPages();
        QStringList addresses;
        for (const ClutterPage &clutter : pages)
            addresses << web.url(clutter.path);
        writeList(addresses);
        for (const bool keep : {false, true}) {
            QTemporaryDir folder;
            QStringList options{u"--pdf-dir"_s, folder.path(), u"--json"_s};
            if (keep)
                options << u"--keep-overlays"_s;
            const Run result = runInProcess(listFile, options);
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.jsonLines.size(), pages.size());
            for (qsizetype i = 0; i < pages.size(); ++i) {
                const ClutterPage &clutter = pages[i];
                const QJsonObject json = QJsonDocument::fromJson(result.jsonLines[i].toUtf8()).object();
                const QString text = textOf(json.value(u"file"_s).toString());
                // Lines as wide as the box they are in, whatever their width.
                const QString words = text.simplified();
                const QString where = clutter.path + (keep ? u" kept: "_s : u": "_s) + text;
                for (const QString &printed : clutter.printed)
                    QVERIFY2(words.contains(printed), qPrintable(printed + u" missing from "_s + where));
                for (const QString &leftOff : clutter.leftOff)
                    QVERIFY2(words.contains(leftOff) == keep, qPrintable(leftOff + u" wrong in "_s + where));
                for (const QString &unlocked : clutter.unlocked)
                    QVERIFY2(words.contains(unlocked) != keep, qPrintable(unlocked + u" wrong in "_s + where));
                if (!clutter.once.isEmpty()) {
                    const qsizetype sheets = text.count(QLatin1Char('\f'));
                    QVERIFY2(sheets >= 3, qPrintable(where));
                    QCOMPARE(text.count(clutter.once), keep ? sheets : 1);
                }
                QCOMPARE(json.value(u"left_off"_s).toInt(-1), keep ? 0 : clutter.leftOffCount);
            }
        }
    }

    // --only prints just the element, with the sheet's header; a page where nothing matches is a
    // failed load, printed whole or skipped; a selector the browser can't read is a bad command
    // line, found before any page loads.
    void onlyTheElementPrintsAndAMissingOneIsReported()
    {
        const QString article = web.url(u"/article.html"_s);
        const QString recipe = web.url(u"/recipe.html"_s);
        writeList({article, recipe});
        for (const bool skipFailed : {false, true}) {
            QTemporaryDir folder;
            QStringList options{u"--pdf-dir"_s, folder.path(), u"--json"_s, u"--only"_s, u" article "_s};
            if (skipFailed)
                options << u"--skip-failed"_s;
            const Run result = runInProcess(listFile, options);
            QCOMPARE(result.exitCode, 1);
            const QString first = textOf(
                QJsonDocument::fromJson(result.jsonLines.value(0).toUtf8()).object().value(u"file"_s).toString());
            QVERIFY2(first.contains(u"Article body text."_s) && first.contains(u"Article page"_s), qPrintable(first));
            for (const QString &beside : {u"Site masthead"_s, u"Site menu"_s, u"Sidebar text"_s, u"Site footer"_s})
                QVERIFY2(!first.contains(beside), qPrintable(beside + u" in "_s + first));
            const QString notFound = u"[2/2] %1 load failed: selector not found; "_s.arg(recipe);
            QVERIFY2(result.reportLines.value(1).startsWith(notFound), qPrintable(result.reportLines.value(1)));
            const QJsonObject second = QJsonDocument::fromJson(result.jsonLines.value(1).toUtf8()).object();
            QCOMPARE(second.value(u"error"_s).toString(), u"selector not found"_s);
            if (skipFailed) {
                QCOMPARE(second.value(u"outcome"_s).toString(), u"skipped"_s);
                QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
            } else {
                QVERIFY(textOf(second.value(u"file"_s).toString()).contains(u"Last step: let the cookies cool"_s));
            }
        }

        const qsizetype requests = web.requestedPaths().size();
        const Run unreadable = runInProcess(listFile, {u"--pdf-dir"_s, testHome(), u"--only"_s, u"div >"_s});
        QCOMPARE(unreadable.exitCode, 2);
        QVERIFY2(
            unreadable.errors.endsWith(u"The selector \"div >\" after --only is not one the browser can read.\n"_s),
            qPrintable(unreadable.errors));
        QCOMPARE(web.requestedPaths().size(), requests);
    }
};

QUILLBRAE_TEST_MAIN(PageClutterTest)
#include "test_page_clutter.moc"
