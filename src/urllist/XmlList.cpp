#include "urllist/XmlList.h"

#include "urllist/BadListError.h"
#include "urllist/ListLimits.h"

#include <QStack>
#include <QXmlStreamReader>

#include <initializer_list>

namespace {
// The reader's messages end in a full stop, which ours put after the parenthesis.
QString withoutFullStop(const QString &sentence)
{
    return sentence.endsWith(QLatin1Char('.')) ? sentence.chopped(1) : sentence;
}

// The element the reader stands in, and those around it.
struct Element
{
    QString name;
    QString namespaceUri;
    QUrl base; // the address relative ones inside it resolve against
};

class XmlListReader
{
public:
    XmlListReader(QByteArrayView document, const QUrl &location) : m_reader(document.toByteArray())
    {
        m_open.push({QString(), QString(), location});
    }

    XmlList read()
    {
        while (!m_reader.atEnd() && !m_readAsHtml) {
            const QXmlStreamReader::TokenType token = m_reader.readNext();
            if (token == QXmlStreamReader::StartElement)
                start();
            else if (token == QXmlStreamReader::EndElement)
                end();
            else if (token == QXmlStreamReader::Characters && m_textDepth > 0)
                m_text += m_reader.text();
        }
        if (m_reader.hasError() && !m_readAsHtml)
            throw BadListError(QStringLiteral("it is not well-formed XML (line %1, column %2: %3)")
                                   .arg(m_reader.lineNumber())
                                   .arg(m_reader.columnNumber())
                                   .arg(withoutFullStop(m_reader.errorString())));
        return m_list;
    }

private:
    // Whether the open elements are these, from the root down, all in the root's vocabulary: a
    // picture's image:loc or an atom:link inside an RSS item names no page.
    bool at(std::initializer_list<const char *> path) const
    {
        if (m_open.size() != static_cast<qsizetype>(path.size()) + 1)
            return false;
        qsizetype depth = 1;
        for (const char *name : path) {
            const Element &element = m_open.at(depth++);
            if (element.name != QLatin1String(name) || element.namespaceUri != m_open.at(1).namespaceUri)
                return false;
        }
        return true;
    }

    void start()
    {
        QUrl base = m_open.top().base;
        const QStringView xmlBase =
            m_reader.attributes().value(QLatin1String("http://www.w3.org/XML/1998/namespace"), QLatin1String("base"));
        if (!xmlBase.isEmpty())
            base = base.resolved(QUrl(xmlBase.trimmed().toString()));
        m_open.push({m_reader.name().toString(), m_reader.namespaceUri().toString(), base});
        if (m_open.size() == 2)
            takeRoot();
        else if (at({"urlset", "url", "loc"}) || at({"sitemapindex", "sitemap", "loc"}) ||
                 at({"rss", "channel", "item", "link"}) || at({"rss", "channel", "item", "guid"}))
            collectText();
        else if (at({"feed", "entry", "link"}))
            takeAtomLink();
    }

    void end()
    {
        if (m_textDepth == m_open.size())
            takeText();
        const Element element = m_open.pop();
        if ((at({"rss", "channel"}) || at({"feed"})) &&
            (element.name == QLatin1String("item") || element.name == QLatin1String("entry")) &&
            element.namespaceUri == m_open.at(1).namespaceUri)
            takeEntry();
    }

    void takeRoot()
    {
        const QStringView root = m_reader.name();
        if (root == QLatin1String("urlset"))
            m_list.kind = ListKind::Sitemap;
        else if (root == QLatin1String("sitemapindex"))
            m_list.kind = ListKind::SitemapIndex;
        else if (root == QLatin1String("rss") || root == QLatin1String("feed"))
            m_list.kind = ListKind::Feed;
        else if (root == QLatin1String("html"))
            m_readAsHtml = true;
        else
            throw BadListError(
                QStringLiteral("it is an XML document of another kind (<%1>), not a sitemap or a feed").arg(root));
        if (m_readAsHtml)
            m_list.kind = ListKind::WebPage;
    }

    void collectText()
    {
        m_textDepth = m_open.size();
        m_text.clear();
        if (m_open.top().name == QLatin1String("guid")) {
            const QStringView permalink = m_reader.attributes().value(QLatin1String("isPermaLink")).trimmed();
            m_guidIsPermalink = permalink.isEmpty() || permalink == QLatin1String("true");
        }
    }

    void takeText()
    {
        m_textDepth = 0;
        const Element &element = m_open.top();
        const QString text = m_text.trimmed();
        if (element.name == QLatin1String("loc"))
            add(element.base.resolved(QUrl(text)));
        else if (element.name == QLatin1String("link") && !text.isEmpty())
            m_entryPage = element.base.resolved(QUrl(text));
        // A guid stands for the item's page only when it says it is its permanent address, and
        // one that is no address at all says nothing.
        else if (element.name == QLatin1String("guid") && m_guidIsPermalink && !QUrl(text).isRelative())
            m_entryGuid = QUrl(text);
    }

    // An entry's page is its first link whose relation is "alternate", which a link without one has.
    void takeAtomLink()
    {
        const QXmlStreamAttributes attributes = m_reader.attributes();
        const QStringView relation = attributes.value(QLatin1String("rel")).trimmed();
        const QStringView href = attributes.value(QLatin1String("href")).trimmed();
        if (m_entryPage.isEmpty() && !href.isEmpty() && (relation.isEmpty() || relation == QLatin1String("alternate")))
            m_entryPage = m_open.top().base.resolved(QUrl(href.toString()));
    }

    void takeEntry()
    {
        const QUrl page = m_entryPage.isEmpty() ? m_entryGuid : m_entryPage;
        if (!page.isEmpty())
            add(page);
        m_entryPage.clear();
        m_entryGuid.clear();
    }

    void add(const QUrl &address)
    {
        if (address.isEmpty())
            return;
        if (m_list.entries.size() >= kMaxListEntries)
            throw BadListError(QStringLiteral("it lists more than %1 entries").arg(kMaxListEntries));
        m_list.entries.append(address);
    }

    QXmlStreamReader m_reader;
    QStack<Element> m_open;
    XmlList m_list;
    bool m_readAsHtml = false;
    // The depth of the element whose text is being collected; 0 for none.
    qsizetype m_textDepth = 0;
    QString m_text;
    bool m_guidIsPermalink = true;
    QUrl m_entryPage;
    QUrl m_entryGuid;
};
} // namespace

XmlList readXmlList(QByteArrayView document, const QUrl &location)
{
    return XmlListReader(document, location).read();
}
