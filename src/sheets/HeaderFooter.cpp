#include "sheets/HeaderFooter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <utility>

namespace {
// Small type, as browsers print their headers in.
constexpr qreal kTypeSizePt = 8;
// Room for a line of that type with a little air above and below it.
constexpr qreal kLineRoomPt = 14;
// Between two parts of a line.
constexpr qreal kPartGapPt = 12;
// Points a unit of the overlay's painter: its coordinates are the sheet's own points.
constexpr int kPointsPerInch = 72;

QString fillInFields(QString part, const SheetFields &fields, int page, int pages)
{
    const QLocale locale;
    // One pass over the text, so that a field's value that looks like a field ("{page}" in a
    // title, say) stays as it is.
    QString filled;
    for (qsizetype i = 0; i < part.size();) {
        static const std::array<QString, 6> names{QStringLiteral("{title}"), QStringLiteral("{url}"),
                                                  QStringLiteral("{date}"),  QStringLiteral("{time}"),
                                                  QStringLiteral("{page}"),  QStringLiteral("{pages}")};
        const auto name = std::find_if(names.cbegin(), names.cend(),
                                       [&](const QString &n) { return QStringView(part).mid(i).startsWith(n); });
        if (name == names.cend()) {
            filled += part.at(i++);
            continue;
        }
        switch (name - names.cbegin()) {
        case 0:
            filled += fields.title;
            break;
        case 1:
            filled += fields.url;
            break;
        case 2:
            filled += locale.toString(fields.printed.date(), QLocale::ShortFormat);
            break;
        case 3:
            filled += locale.toString(fields.printed.time(), QLocale::ShortFormat);
            break;
        case 4:
            filled += QString::number(page);
            break;
        default:
            filled += QString::number(pages);
            break;
        }
        i += name->size();
    }
    return filled;
}

// How wide the left and the right part may be: a short one keeps its width, a long one gets the rest.
std::pair<qreal, qreal> sideWidths(qreal left, qreal right, qreal lineWidth)
{
    const qreal room = std::max<qreal>(0, lineWidth - (right > 0 && left > 0 ? kPartGapPt : 0));
    if (left + right <= room)
        return {left, right};
    const qreal half = room / 2;
    if (left <= half)
        return {left, room - left};
    if (right <= half)
        return {room - right, right};
    return {half, half};
}

void drawLine(QPainter &painter, const SheetLine &line, const QRectF &box)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    auto draw = [&](const QString &text, qreal width, Qt::Alignment alignment) {
        if (!text.isEmpty())
            painter.drawText(box, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                             metrics.elidedText(text, Qt::ElideRight, width));
    };
    if (line.centre.isEmpty()) {
        const auto [left, right] =
            sideWidths(metrics.horizontalAdvance(line.left), metrics.horizontalAdvance(line.right), box.width());
        draw(line.left, left, Qt::AlignLeft);
        draw(line.right, right, Qt::AlignRight);
        return;
    }
    // With a centre part, each keeps to its third, so that the centre stays in the middle.
    const qreal third = (box.width() - 2 * kPartGapPt) / 3;
    draw(line.left, third, Qt::AlignLeft);
    draw(line.centre, third, Qt::AlignHCenter);
    draw(line.right, third, Qt::AlignRight);
}

// The margins the printer cannot print in, in points.
QMarginsF unprintablePoints(const QPageLayout &layout)
{
    return QPageLayout(layout.pageSize(), layout.orientation(), layout.minimumMargins(), layout.units())
        .margins(QPageLayout::Point);
}
} // namespace

SheetLine fillInTemplate(const QString &lineTemplate, const SheetFields &fields, int page, int pages)
{
    const QStringList parts = lineTemplate.split(QLatin1Char('|'));
    auto part = [&](qsizetype i) { return fillInFields(parts.at(i), fields, page, pages); };
    if (parts.size() == 1)
        return {part(0), {}, {}};
    if (parts.size() == 2)
        return {part(0), {}, part(1)};
    return {part(0), part(1), fillInFields(parts.mid(2).join(QLatin1Char('|')), fields, page, pages)};
}

QPageLayout layoutWithRoomForHeaderFooter(QPageLayout layout, bool header, bool footer)
{
    // Worked out in the layout's own units: Qt rounds margins it converts to points.
    const QSizeF inPoints = layout.pageSize().size(QPageSize::Point);
    const QSizeF inUnits = layout.pageSize().size(static_cast<QPageSize::Unit>(layout.units()));
    if (!layout.isValid() || inPoints.isEmpty())
        return layout;
    const qreal lineRoom = kLineRoomPt * inUnits.width() / inPoints.width();
    const QMarginsF unprintable = layout.minimumMargins();
    QMarginsF margins = layout.margins();
    if (header)
        margins.setTop(std::max(margins.top(), unprintable.top() + lineRoom));
    if (footer)
        margins.setBottom(std::max(margins.bottom(), unprintable.bottom() + lineRoom));
    layout.setMargins(margins);
    return layout;
}

QByteArray drawHeadersAndFooters(const QString &headerTemplate, const QString &footerTemplate,
                                 const SheetFields &fields, const QPageLayout &layout, int sheets)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPointsPerInch);
        writer.setPageLayout(QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF()));
        writer.setCreator(QStringLiteral("Quillbrae"));
        QPainter painter(&writer);
        QFont type(QStringLiteral("sans-serif"));
        type.setPointSizeF(kTypeSizePt);
        painter.setFont(type);
        painter.setPen(Qt::black);
        const QRectF sheet = layout.fullRectPoints();
        const QMarginsF margins = layout.margins(QPageLayout::Point);
        const QMarginsF printable = unprintablePoints(layout);
        // Each line sits in the margin, between what the printer can print and the page's content.
        const QRectF headerBox(margins.left(), printable.top(), sheet.width() - margins.left() - margins.right(),
                               margins.top() - printable.top());
        const QRectF footerBox(margins.left(), sheet.height() - margins.bottom(), headerBox.width(),
                               margins.bottom() - printable.bottom());
        for (int page = 1; page <= sheets; ++page) {
            if (page > 1)
                writer.newPage();
            if (!headerTemplate.isEmpty())
                drawLine(painter, fillInTemplate(headerTemplate, fields, page, sheets), headerBox);
            if (!footerTemplate.isEmpty())
                drawLine(painter, fillInTemplate(footerTemplate, fields, page, sheets), footerBox);
        }
    }
    return pdf;
}
