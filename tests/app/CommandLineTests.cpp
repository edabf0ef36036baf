#include "CommandLineTests.h"

#include "app/CommandLinePrint.h"
#include "app/ProgramOptions.h"
#include "printers/CupsPrinterSystem.h"
#include "printing/PrintedJobs.h"
#include "printing/TestHttpServer.h"
#include "runtime/Clock.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <unistd.h>

using namespace Qt::StringLiterals;

Run runOf(int exitCode, const QString &errors, const QString &output)
{
    Run result;
    result.exitCode = exitCode;
    result.errors = errors;
    for (const QString &line : errors.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1Char('[')) || line.startsWith(QLatin1String("Printed")) ||
            line.startsWith(QLatin1String("Saved")) || line.startsWith(QLatin1String("There is")) ||
            line.startsWith(QLatin1String("Cannot read")))
            result.reportLines << line;
    result.jsonLines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return result;
}

Run runInProcess(const QString &listFile, const QStringList &options)
{
    // The reader writes a usage error to standard error itself: it is caught in a file.
    QTemporaryFile usage;
    if (!usage.open())
        qFatal("cannot make the file that catches a usage error");
    std::fflush(stderr);
    const int savedErrors = ::dup(STDERR_FILENO);
    ::dup2(usage.handle(), STDERR_FILENO);
    const ProgramOptions parsed = parseProgramOptions(QStringList{u"quillbrae"_s, u"--print"_s, listFile} + options);
    std::fflush(stderr);
    ::dup2(savedErrors, STDERR_FILENO);
    ::close(savedErrors);
    if (parsed.exitStatus) {
        usage.seek(0);
        return runOf(*parsed.exitStatus, QString::fromLocal8Bit(usage.readAll()), QString());
    }
    char *output = nullptr;
    char *errors = nullptr;
    size_t outputSize = 0;
    size_t errorsSize = 0;
    std::FILE *out = open_memstream(&output, &outputSize);
    std::FILE *err = open_memstream(&errors, &errorsSize);
    CupsPrinterSystem printers;
    const int status = runCommandLinePrint(*parsed.print, {printers, realClock(), out, err});
    std::fclose(out);
    std::fclose(err);
    Run result = runOf(status, QString::fromUtf8(errors, static_cast<qsizetype>(errorsSize)),
                       QString::fromUtf8(output, static_cast<qsizetype>(outputSize)));
    std::free(output);
    std::free(errors);
    return result;
}

void serveTestPages(TestHttpServer &web)
{
    for (const QString &name : {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")})
        web.serveHtml(QStringLiteral("/%1.html").arg(name), QStringLiteral("Page %1").arg(name),
                      QStringLiteral("Text of page %1").arg(name));

    TestHttpServer::Page silent;
    silent.delivery = TestHttpServer::Delivery::NeverAnswer;
    web.serve(QStringLiteral("/silent.html"), silent);
    QByteArray longReport = "<html><head><title>A long report</title></head><body>";
    for (int i = 1; i <= 120; ++i)
        longReport += "<p>Paragraph " + QByteArray::number(i) + " of the report.</p>";
    const std::pair<QString, QByteArray> pages[] = {
        {u"/refreshing.html"_s, "<html><head><meta http-equiv='refresh' content='0'><title>Refreshing</title>"
                                "</head><body>Refreshing page</body></html>"},
        {u"/moving.html"_s, "<html><head><title>Moving</title></head><body>Moving page<script>let n = 0;"
                            "setInterval(() => { location.hash = 'at' + n++; }, 10);</script></body></html>"},
        // Says when printing has begun, then never lets it go on.
        {u"/hangs-in-print.html"_s, "<html><head><title>Hangs</title></head><body>Hangs in print<script>"
                                    "addEventListener('beforeprint', () => { const request = new XMLHttpRequest();"
                                    "request.open('GET', '/printing-began', false); request.send(); while (true) {} });"
                                    "</script></body></html>"},
        // Says when printing has begun, and prints.
        {u"/tells-printing.html"_s, "<html><head><title>Tells</title></head><body>Tells when printed<script>"
                                    "addEventListener('beforeprint', () => { const request = new XMLHttpRequest();"
                                    "request.open('GET', '/printing-began', false); request.send(); });"
                                    "</script></body></html>"},
        {u"/long.html"_s, longReport},
        {u"/wide.html"_s, "<html><head><title>Wide</title></head><body><table style='width: 2400px'><tr>"
                          "<td>LeftEdge</td><td style='text-align: right'>RightEdge</td></tr></table></body></html>"},
        // As wide as the screen's width asks for, and narrow where the screen is narrow.
        {u"/responsive.html"_s, "<html><head><title>Responsive</title><style>main { width: 1000px }"
                                "@media (max-width: 900px) { main { width: auto } }</style></head>"
                                "<body><main>Narrowed text</main></body></html>"},
        {u"/dark.html"_s, "<html><head><title>Dark</title></head><body style='background: black; color: white'>"
                          "Dark page</body></html>"},
        {u"/dark-root.html"_s, "<html style='background: black; color: white'><head><title>Dark root</title>"
                               "</head><body>Dark root page</body></html>"},
        {u"/dark-box.html"_s, "<html><head><title>Dark box</title></head><body style='margin: 0'>"
                              "<div style='background: black; color: white; height: 3000px'>Dark box page</div>"
                              "</body></html>"},
        // Adds a screen of text whenever its end comes into view, as a feed does.
        {u"/endless.html"_s,
         "<html><head><title>Endless</title></head><body><div id='feed'></div><p id='end'>End</p><script>"
         "let n = 0; new IntersectionObserver(() => { for (let i = 0; i < 40; ++i) {"
         "const p = document.createElement('p'); p.textContent = 'Item ' + ++n; feed.append(p); } })"
         ".observe(document.getElementById('end'));</script></body></html>"}};
    for (const auto &[path, body] : pages) {
        TestHttpServer::Page page;
        page.body = body;
        web.serve(path, page);
    }
    web.serveLazyPictures(u"/lazy.html"_s, 8);
    web.serveLazyPictures(u"/lazy-again.html"_s, 8);
    // Its last words come a while after it has loaded.
    TestHttpServer::Page latePage;
    latePage.body = "<!DOCTYPE html><html><head><title>Late</title></head><body><p>Early words</p><script>"
                    "setTimeout(() => { const late = document.createElement('p'); late.id = 'late';"
                    "late.textContent = 'Late words'; document.body.append(late); }, 1500);</script></body></html>";
    web.serve(u"/late.html"_s, latePage);
    web.serveHtml(QStringLiteral("/printing-began"), QString(), QString());
    web.serveHtml(u"/untitled.html"_s, QString(), u"Text of a page without a title"_s);
    web.serveHtml(u"/slash.html"_s, u"Q1/Q2\tresults"_s, u"Text of the results"_s);
    // Titles that end their addresses, and one that turns its end around.
    web.serveHtml(u"/report?name=Quarterly"_s, u"Quarterly"_s, u"Text of the quarter"_s);
    web.serveHtml(u"/wiki/Paris"_s, u"Paris"_s, u"Text of Paris"_s);
    web.serveHtml(u"/invoice.html"_s, u"Invoice \u202Efdp.exe"_s, u"Text of the invoice"_s);
    TestHttpServer::Page privatePage;
    privatePage.login = "alice:topsecret9";
    privatePage.body = "<html><body>The private report</body></html>";
    web.serve(u"/private.html"_s, privatePage);
}

// The words of one sheet of the job's document, as pdftotext -bbox places them, and the sheet's size.
QList<PlacedWord> sheetWords(int jobId, int sheet, QSizeF *size)
{
    const QString xml = readJobDocument(QStringLiteral("pdftotext"),
                                        {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(sheet),
                                         QStringLiteral("-l"), QString::number(sheet)},
                                        jobId);
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re")).match(xml);
    *size = QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble());
    QList<PlacedWord> words;
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &match : word.globalMatch(xml))
        words.append({match.captured(5), QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                                                QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()))});
    return words;
}

// How dark the job's first sheet is on average, from 0 (white) to 255 (black).
int darkness(int jobId)
{
    const QString pgm = testHome() + QStringLiteral("/sheet");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("10"),
                                                   QStringLiteral("-singlefile"), jobDocument(jobId), pgm});
    QFile file(pgm + QStringLiteral(".pgm"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // A binary PGM: three lines of header, then a byte a pixel.
    for (int line = 0; line < 3; ++line)
        file.readLine();
    const QByteArray pixels = file.readAll();
    qint64 sum = 0;
    for (const char pixel : pixels)
        sum += 255 - static_cast<unsigned char>(pixel);
    return pixels.isEmpty() ? -1 : static_cast<int>(sum / pixels.size());
}

// What a tool prints for a file: pdftotext's text of a PDF, say.
QString toolOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60'000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every job the print server has had, on any queue.
int jobsOnEveryQueue()
{
    return jobCount(u"Test-Alpha"_s) + jobCount(u"Test-Bravo"_s) + jobCount(u"Test-Charlie"_s);
}

QByteArray sitemapOf(const QStringList &pages)
{
    QByteArray xml = "<?xml version='1.0'?>\n<urlset xmlns='http://www.sitemaps.org/schemas/sitemap/0.9'>";
    for (const QString &page : pages)
        xml += "<url><loc>" + page.toUtf8() + "</loc></url>";
    return xml + "</urlset>";
}

// The members of the JSON lines' objects, one a line.
QStringList jsonMembers(const QStringList &lines, const QString &name)
{
    QStringList values;
    for (const QString &line : lines)
        values << QJsonDocument::fromJson(line.toUtf8()).object().value(name).toString();
    return values;
}
