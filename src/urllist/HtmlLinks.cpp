#include "urllist/HtmlLinks.h"

#include "urllist/BadListError.h"
#include "urllist/ListLimits.h"

#include <QStringDecoder>

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <limits>
#include <memory>
#include <optional>

namespace {
struct DocumentFree
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text)
    return !decoder.hasError();
}

bool isElement(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar *>(name)) == 0;
}

// The attribute's value, or none when the element has no such attribute.
std::optional<QString> attribute(xmlNode *node, const char *name)
{
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(name));
    if (!value)
        return std::nullopt;
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

// The node after this one in document order, children first; nullptr after the last.
xmlNode *nextInDocument(xmlNode *node)
{
    if (node->children)
        return node->children;
    while (node && !node->next)
        node = node->parent;
    return node ? node->next : nullptr;
}
} // namespace

HtmlLinks readHtmlLinks(QByteArrayView page)
{
    xmlInitParser();
    if (page.size() > std::numeric_limits<int>::max())
        throw BadListError(QStringLiteral("the page is too big"));
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_COMPACT;
    const Document document(htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr,
                                           isValidUtf8(page) ? "UTF-8" : nullptr, options));
    HtmlLinks links;
    if (!document)
        return links;
    bool baseSeen = false;
    for (xmlNode *node = xmlDocGetRootElement(document.get()); node; node = nextInDocument(node)) {
        if (isElement(node, "a") || isElement(node, "area")) {
            if (const std::optional<QString> href = attribute(node, "href")) {
                if (links.hrefs.size() >= kMaxListEntries)
                    throw BadListError(QStringLiteral("it has more than %1 links").arg(kMaxListEntries));
                links.hrefs.append(*href);
            }
        } else if (!baseSeen && isElement(node, "base")) {
            if (const std::optional<QString> href = attribute(node, "href")) {
                links.base = *href;
                baseSeen = true;
            }
        }
    }
    return links;
}
