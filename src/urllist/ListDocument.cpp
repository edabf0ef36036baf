#include "urllist/ListDocument.h"

#include "urllist/BadListError.h"
#include "urllist/Gunzip.h"
#include "urllist/HtmlLinks.h"
#include "urllist/ListFetch.h"
#include "urllist/ListLimits.h"
#include "urllist/ListReader.h"
#include "urllist/PageSet.h"
#include "urllist/XmlList.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <utility>

namespace {
// Enough of a document's start to tell its form.
constexpr qint64 kHeadBytes = qint64{64} * 1024;

bool isRemote(const QUrl &location)
{
    return !location.isLocalFile();
}

QByteArray unpacked(const QByteArray &bytes)
{
    return isGzip(bytes) ? gunzip(bytes, kMaxListBytes) : bytes;
}

QStringList textRows(const QByteArray &bytes, const QUrl &location)
{
    QByteArray text = bytes;
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    QStringList rows;
    readListRows(buffer, [&](const QString &row) {
        rows.append(row);
        return true;
    });
    // A list anyone on the web can write must not have the computer's own files printed. The
    // browser reads a row as a typed address, where a path is a file.
    if (isRemote(location))
        for (const QString &row : rows)
            if (!row.trimmed().isEmpty() && QUrl::fromUserInput(row.trimmed()).isLocalFile())
                throw BadListError(
                    QStringLiteral("a list from the web may not name a file on this computer (%1)").arg(row.trimmed()));
    return rows;
}

// Reads one list document after another, as a sitemap index leads from one to the next.
class ListDocumentReader
{
public:
    explicit ListDocumentReader(const ListReading &reading) : m_reading(reading) {}

    ListPages read(const QByteArray &packed, const QUrl &location)
    {
        m_read.insert(pageKey(location));
        const QByteArray bytes = unpacked(packed);
        switch (sniffListForm(bytes)) {
        case ListForm::Text:
            return {ListKind::Text, textRows(bytes, location)};
        case ListForm::Xml: {
            const XmlList list = readXmlList(withinLimit(bytes), location);
            if (list.kind == ListKind::WebPage)
                return readPage(bytes, location);
            take(list, location);
            return {list.kind, m_pages.pages()};
        }
        case ListForm::Html:
            return readPage(withinLimit(bytes), location);
        case ListForm::Bookmarks:
            readLinks(withinLimit(bytes), location, false);
            return {ListKind::Bookmarks, m_pages.pages()};
        }
        return {};
    }

private:
    static const QByteArray &withinLimit(const QByteArray &bytes)
    {
        if (bytes.size() > kMaxListBytes)
            throw documentTooBig();
        return bytes;
    }

    // A page's links only when they are asked for: the caller tells what a page given alone means.
    ListPages readPage(const QByteArray &bytes, const QUrl &location)
    {
        if (m_reading.links)
            readLinks(bytes, location, true);
        return {ListKind::WebPage, m_pages.pages()};
    }

    // A sitemap's or feed's pages; an index's sitemaps, each in turn.
    void take(const XmlList &list, const QUrl &location)
    {
        for (const QUrl &entry : list.entries) {
            if (list.kind == ListKind::SitemapIndex)
                readListedSitemap(entry, location);
            else
                m_pages.add(entry, location);
        }
    }

    void readListedSitemap(const QUrl &sitemap, const QUrl &index)
    {
        const QString key = pageKey(sitemap);
        if (m_read.contains(key))
            return;
        m_read.insert(key);
        const auto [list, location] = fetchSitemap(sitemap, index, m_reading);
        m_read.insert(pageKey(location));
        take(list, location);
    }

    // The sitemap or sitemap index an index lists, and where it came from. What goes wrong names
    // the sitemap, so that the message says where the damage is.
    static std::pair<XmlList, QUrl> fetchSitemap(const QUrl &sitemap, const QUrl &index, const ListReading &reading)
    {
        const QString where = QStringLiteral("its sitemap %1: ").arg(sitemap.toDisplayString());
        try {
            if (isRemote(index) && sitemap.isLocalFile())
                throw BadListError(QStringLiteral("a sitemap index from the web may not name a file"));
            const FetchedDocument part = fetchListDocument(sitemap, reading.fetchTimeLimit);
            const QByteArray bytes = unpacked(part.bytes);
            XmlList list{ListKind::Text, {}};
            if (sniffListForm(bytes) == ListForm::Xml)
                list = readXmlList(withinLimit(bytes), part.location);
            if (list.kind != ListKind::Sitemap && list.kind != ListKind::SitemapIndex)
                throw BadListError(QStringLiteral("it is neither a sitemap nor a sitemap index"));
            return {list, part.location};
        } catch (const RuntimeError &error) {
            throw BadListError(where + error.description());
        }
    }

    void readLinks(const QByteArray &bytes, const QUrl &location, bool page)
    {
        const HtmlLinks links = readHtmlLinks(bytes);
        const QUrl base = links.base.isEmpty() ? location : location.resolved(QUrl(links.base.trimmed()));
        if (page && m_reading.sameSite)
            m_pages.keepOnlyHost(location.host());
        const QString self = pageKey(location);
        for (const QString &href : links.hrefs) {
            const QString written = href.trimmed();
            // A link within the page, or to the page itself, is no other page.
            if (written.startsWith(QLatin1Char('#')))
                continue;
            const QUrl target = base.resolved(QUrl(written));
            if (page && pageKey(target) == self)
                continue;
            m_pages.add(target, location);
        }
    }

    ListReading m_reading;
    PageSet m_pages;
    QSet<QString> m_read; // the documents read so far
};
} // namespace

ListPages readListDocument(const QByteArray &bytes, const QUrl &location, const ListReading &reading)
{
    return ListDocumentReader(reading).read(bytes, location);
}

bool holdsTextList(QIODevice &device)
{
    const QByteArray head = device.peek(kHeadBytes);
    return !isGzip(head) && sniffListForm(head) == ListForm::Text;
}

ListPages readListAt(const QString &addressOrPath, const ListReading &reading)
{
    if (isListAddress(addressOrPath)) {
        const QUrl address(addressOrPath);
        if (!address.isLocalFile()) {
            const FetchedDocument document = fetchListDocument(address, reading.fetchTimeLimit);
            return readListDocument(document.bytes, document.location, reading);
        }
        return readListAt(address.toLocalFile(), reading);
    }
    QFile file(addressOrPath);
    openListFile(file);
    if (holdsTextList(file)) {
        ListPages list;
        readListRows(file, [&](const QString &row) {
            list.rows.append(row);
            return true;
        });
        return list;
    }
    return readDocumentFile(file, reading);
}

ListPages readDocumentFile(QFile &file, const ListReading &reading)
{
    if (file.size() > kMaxListBytes)
        throw documentTooBig();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::DeviceIOError, QStringLiteral("Device I/O error"));
    return readListDocument(bytes, QUrl::fromLocalFile(QFileInfo(file.fileName()).absoluteFilePath()), reading);
}
