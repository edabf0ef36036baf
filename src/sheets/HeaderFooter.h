#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPageLayout>
#include <QString>

// What a header or footer can show of the page printed.
struct SheetFields
{
    QString title;
    QString url;
    QDateTime printed;
};

// A header or footer line: what stands at the left, in the centre and at the right.
struct SheetLine
{
    QString left;
    QString centre;
    QString right;
};

// Fills a template in for one sheet. The template's fields are {title}, {url}, {date}, {time}
// (the user's locale's short formats), {page} and {pages}; up to three parts are separated by
// "|": one part stands at the left, two at the left and the right, three at the left, the centre
// and the right. Anything after a third "|" stays in the right part. What a field brings in is
// never split.
SheetLine fillInTemplate(const QString &lineTemplate, const SheetFields &fields, int page, int pages);

// The layout to render pages in so that a header and footer fit in its margins above and below
// the page's content, inside what the printer can print: the margins grow where too narrow.
QPageLayout layoutWithRoomForHeaderFooter(QPageLayout layout, bool header, bool footer);

// A PDF of as many sheets as given, the size of the layout's sheet, with nothing on them but the
// header and the footer, in small type in the margins, each part shortened with "…" to fit.
QByteArray drawHeadersAndFooters(const QString &headerTemplate, const QString &footerTemplate,
                                 const SheetFields &fields, const QPageLayout &layout, int sheets);
