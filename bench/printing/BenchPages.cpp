#include "BenchPages.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

namespace {
constexpr int kPictures = 4;
constexpr int kParagraphs = 9;

const char *const kWords[] = {"printer", "office",   "report",   "quarterly", "figures",  "review",
                              "budget",  "schedule", "customer", "delivery",  "invoice",  "meeting",
                              "project", "summary",  "market",   "supplier",  "account",  "planning",
                              "service", "update",   "regional", "growth",    "forecast", "team",
                              "policy",  "training", "network",  "archive",   "document", "order"};

const char *const kStyleSheet = R"(
body { font-family: "Liberation Serif", serif; font-size: 11pt; line-height: 1.45; color: #222; margin: 0; }
header { background: #23395d; color: #fff; padding: 12px 24px; display: flex; justify-content: space-between; }
header nav a { color: #cfe0ff; margin-left: 16px; text-decoration: none; }
main { display: flex; gap: 24px; padding: 16px 24px; }
article { flex: 3; }
aside { flex: 1; border-left: 2px solid #d8dee9; padding-left: 16px; font-size: 10pt; color: #444; }
h1 { font-family: "Liberation Sans", sans-serif; font-size: 22pt; margin: 8px 0 4px; }
h2 { font-family: "Liberation Sans", sans-serif; font-size: 14pt; color: #23395d; border-bottom: 1px solid #ccd; }
p { text-align: justify; hyphens: auto; }
figure { margin: 12px 0; text-align: center; }
figure img { max-width: 100%; border: 1px solid #bbb; border-radius: 4px; }
figcaption { font-size: 9pt; color: #666; }
table { border-collapse: collapse; width: 100%; margin: 12px 0; font-size: 10pt; }
th, td { border: 1px solid #c5ccd6; padding: 4px 8px; text-align: right; }
th { background: #eef2f7; }
tr:nth-child(even) td { background: #f8f9fb; }
footer { font-size: 9pt; color: #777; padding: 8px 24px; border-top: 1px solid #ddd; }
)";

QString sentence(QRandomGenerator &random, int words)
{
    QStringList chosen;
    for (int i = 0; i < words; ++i)
        chosen << QLatin1String(kWords[random.bounded(static_cast<int>(std::size(kWords)))]);
    QString text = chosen.join(QLatin1Char(' ')) + QLatin1Char('.');
    text[0] = text[0].toUpper();
    return text;
}

QString paragraph(QRandomGenerator &random)
{
    QStringList sentences;
    for (int i = 0; i < 7; ++i)
        sentences << sentence(random, 8 + random.bounded(10));
    return QStringLiteral("<p>") + sentences.join(QLatin1Char(' ')) + QStringLiteral("</p>\n");
}

void writePicture(const QString &path, int seed)
{
    QImage image(800, 420, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 800, 420);
    sky.setColorAt(0, QColor::fromHsv((seed * 70) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((seed * 70 + 120) % 360, 160, 120));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), 150, 200, 140));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(random.bounded(800), random.bounded(420)), 10 + random.bounded(60),
                            10 + random.bounded(60));
    }
    painter.end();
    image.save(path, "PNG");
}

void writeText(const QString &path, const QString &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
}
} // namespace

QStringList writeBenchPages(const QString &folder, int count)
{
    writeText(folder + QStringLiteral("/style.css"), QLatin1String(kStyleSheet));
    for (int i = 0; i < kPictures; ++i)
        writePicture(folder + QStringLiteral("/picture%1.png").arg(i), i + 1);

    QStringList pages;
    QRandomGenerator random(20240601);
    for (int page = 1; page <= count; ++page) {
        QString body;
        body += QStringLiteral("<header><strong>Company intranet</strong><nav><a href=\"#\">Home</a>"
                               "<a href=\"#\">Reports</a><a href=\"#\">Contact</a></nav></header>\n<main><article>\n");
        body += QStringLiteral("<h1>Report %1: %2</h1>\n").arg(page).arg(sentence(random, 5));
        for (int p = 0; p < kParagraphs; ++p) {
            if (p % 3 == 0)
                body += QStringLiteral("<h2>%1</h2>\n").arg(sentence(random, 4));
            body += paragraph(random);
            if (p == 2 || p == 6)
                body += QStringLiteral("<figure><img src=\"picture%1.png\" alt=\"\"><figcaption>%2</figcaption>"
                                       "</figure>\n")
                            .arg((page + p) % kPictures)
                            .arg(sentence(random, 6));
        }
        body += QStringLiteral("<table><tr><th>Region</th><th>Q1</th><th>Q2</th><th>Q3</th><th>Q4</th></tr>\n");
        for (int row = 0; row < 10; ++row)
            body += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>\n")
                        .arg(QLatin1String(kWords[row]))
                        .arg(random.bounded(10000))
                        .arg(random.bounded(10000))
                        .arg(random.bounded(10000))
                        .arg(random.bounded(10000));
        body += QStringLiteral("</table>\n</article>\n<aside><h2>In brief</h2><ul>");
        for (int item = 0; item < 6; ++item)
            body += QStringLiteral("<li>%1</li>").arg(sentence(random, 6));
        body += QStringLiteral("</ul></aside></main>\n<footer>Page %1 of the benchmark set</footer>\n").arg(page);

        const QString path = folder + QStringLiteral("/page%1.html").arg(page, 2, 10, QLatin1Char('0'));
        writeText(path, QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                                       "<title>Report %1</title><link rel=\"stylesheet\" href=\"style.css\">"
                                       "</head><body>\n%2</body></html>\n")
                            .arg(page)
                            .arg(body));
        pages << path;
    }
    return pages;
}
