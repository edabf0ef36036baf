#include "runtime/ShownText.h"

#include <QRegularExpression>

bool isDirectionCharacter(QChar c)
{
    switch (c.unicode()) {
    case 0x061c: // Arabic letter mark
    case 0x200e: // left-to-right mark
    case 0x200f: // right-to-left mark
        return true;
    default:
        // The embeddings and overrides, then the isolates.
        return (c.unicode() >= 0x202a && c.unicode() <= 0x202e) || (c.unicode() >= 0x2066 && c.unicode() <= 0x2069);
    }
}

QString withControlsEscaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (!isControlCharacter(c) && !isDirectionCharacter(c)) {
            escaped += c;
            continue;
        }
        switch (c.unicode()) {
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            escaped += QStringLiteral("\\u%1").arg(static_cast<int>(c.unicode()), 4, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}

QString shownAddress(const QString &address)
{
    // The scheme, then the user part up to the last "@" before the host's end; the browser ends a
    // host at a backslash too. An address without "scheme://" has no user part the browser reads.
    static const QRegularExpression userPart(QStringLiteral(R"(^(\s*[A-Za-z][A-Za-z0-9+.\-]*://)([^/?#\\]*)@)"));
    const QRegularExpressionMatch match = userPart.match(address);
    if (!match.hasMatch())
        return address;
    const QString user = match.captured(2);
    const qsizetype colon = user.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return address;
    return match.captured(1) + user.left(colon) + address.mid(match.capturedEnd(2));
}
