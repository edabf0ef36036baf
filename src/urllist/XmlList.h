#pragma once

#include "urllist/ListKind.h"

#include <QByteArrayView>
#include <QList>
#include <QUrl>

// What an XML list document lists, in document order, each address resolved against where the
// document came from (and an Atom feed's xml:base).
struct XmlList
{
    ListKind kind = ListKind::Sitemap; // Sitemap, SitemapIndex, Feed, or WebPage for XHTML
    QList<QUrl> entries;               // pages; for a sitemap index, the sitemaps it lists
};

// Reads a sitemap (urlset/url/loc), a sitemap index (sitemapindex/sitemap/loc), an RSS 2.0 feed
// (rss/channel/item: its link, else a guid that is a permalink) or an Atom feed (feed/entry: its
// alternate link). Elements of other vocabularies inside them (a picture's image:loc in a sitemap,
// an atom:link in RSS) list no page. An XHTML page is a WebPage with no entries: its links are read
// as HTML's are. Raises a BadListError for XML that is not well-formed, a root element that is
// none of these, or more than kMaxListEntries entries.
XmlList readXmlList(QByteArrayView document, const QUrl &location);
