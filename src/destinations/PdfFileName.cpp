#include "destinations/PdfFileName.h"

#include "runtime/ShownText.h"

#include <algorithm>

namespace {
constexpr int kLeastDigits = 3;
} // namespace

QString fileNameTitle(const QString &title)
{
    QString safe;
    safe.reserve(title.size());
    for (const QChar c : title) {
        // A mark that turns the text's direction would make the name read as another.
        if (isDirectionCharacter(c))
            continue;
        safe += c == QLatin1Char('/') ? QLatin1Char('-') : isControlCharacter(c) ? QLatin1Char(' ') : c;
    }
    // No character takes less than a byte: the title is cut to as many first, which keeps the
    // byte count below quick however long the title.
    safe = safe.simplified().left(kLongestFileTitle);
    if (!safe.isEmpty() && safe.back().isHighSurrogate())
        safe.chop(1);
    // Cut by whole characters: a surrogate pair stays together.
    while (safe.toUtf8().size() > kLongestFileTitle)
        safe.chop(safe.size() >= 2 && safe.back().isLowSurrogate() ? 2 : 1);
    // A name ending in a dot or a space is hard to type and some systems drop them.
    while (!safe.isEmpty() && (safe.back() == QLatin1Char('.') || safe.back().isSpace()))
        safe.chop(1);
    return safe;
}

QString pdfFileName(const PageToDeliver &page, int copy)
{
    const int digits = std::max(kLeastDigits, static_cast<int>(QString::number(page.place.count).size()));
    QString title = fileNameTitle(page.page.ownTitle);
    if (title.isEmpty())
        title = fileNameTitle(page.page.shownUrl.host());
    if (title.isEmpty())
        title = QStringLiteral("Untitled");
    const QString number = QStringLiteral("%1").arg(page.place.position, digits, 10, QLatin1Char('0'));
    const QString suffix = copy > 1 ? QStringLiteral(" (%1)").arg(copy) : QString();
    return QStringLiteral("%1 %2%3.pdf").arg(number, title, suffix);
}
