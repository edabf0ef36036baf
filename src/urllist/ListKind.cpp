#include "urllist/ListKind.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {
// Further than this into a document, a list's first tag is not looked for.
constexpr qsizetype kSniffBytes = qsizetype{64} * 1024;

// The first tags an HTML page may start with (after its comments), where no text list starts: the
// tags browsers themselves tell HTML by when a server gives no type.
constexpr std::array<QByteArrayView, 17> kHtmlFirstTags{"html",   "head",  "body",   "title", "meta",  "link",
                                                        "script", "style", "iframe", "div",   "table", "font",
                                                        "p",      "a",     "b",      "br",    "h1"};
// Root elements of the XML lists, which some writers give without an XML declaration.
constexpr std::array<QByteArrayView, 4> kXmlListRoots{"urlset", "sitemapindex", "rss", "feed"};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

QByteArrayView withoutLeadingBlanks(QByteArrayView bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() && isBlank(bytes[start]))
        ++start;
    return bytes.sliced(start);
}

// Whether bytes start with "<name" followed by a character that ends a tag's name.
bool startsWithTag(QByteArrayView bytes, QByteArrayView name)
{
    if (bytes.size() < name.size() + 2 || bytes[0] != '<')
        return false;
    if (bytes.sliced(1, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    const char after = bytes[name.size() + 1];
    return isBlank(after) || after == '>' || after == '/';
}

bool startsWithCaseless(QByteArrayView bytes, QByteArrayView start)
{
    return bytes.size() >= start.size() && bytes.first(start.size()).compare(start, Qt::CaseInsensitive) == 0;
}

// The text after a byte-order mark, as UTF-8: UTF-16 documents are looked at as their UTF-8 text.
QByteArray sniffedText(QByteArrayView bytes)
{
    bytes = bytes.first(std::min(bytes.size(), kSniffBytes));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.sliced(3).toByteArray();
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = decoder.decode(bytes.sliced(2));
        return text.toUtf8();
    }
    return bytes.toByteArray();
}
} // namespace

ListForm sniffListForm(QByteArrayView document)
{
    const QByteArray text = sniffedText(document);
    QByteArrayView rest = withoutLeadingBlanks(text);
    // Comments may come before the first tag of XML and HTML alike.
    while (rest.startsWith("<!--")) {
        const qsizetype end = rest.indexOf("-->");
        if (end < 0)
            return ListForm::Text;
        rest = withoutLeadingBlanks(rest.sliced(end + 3));
    }
    if (rest.startsWith("<?xml") && rest.size() > 5 && isBlank(rest[5]))
        return ListForm::Xml;
    if (startsWithCaseless(rest, "<!DOCTYPE NETSCAPE-Bookmark-file-1"))
        return ListForm::Bookmarks;
    if (startsWithCaseless(rest, "<!DOCTYPE html"))
        return ListForm::Html;
    for (const QByteArrayView root : kXmlListRoots)
        if (startsWithTag(rest, root))
            return ListForm::Xml;
    for (const QByteArrayView tag : kHtmlFirstTags)
        if (startsWithTag(rest, tag))
            return ListForm::Html;
    return ListForm::Text;
}
