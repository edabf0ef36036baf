#pragma once

#include <QByteArrayView>

// What a list document is, by what it holds.
enum class ListKind {
    Text,         // one address a line, the list file the program has always read
    Sitemap,      // a sitemap's urlset: its pages
    SitemapIndex, // a sitemap index: the sitemaps it lists, and their pages
    Feed,         // an RSS 2.0 or Atom feed: its items' or entries' pages
    WebPage,      // any other HTML page: the pages it links to, when they are asked for
    Bookmarks,    // a browser's bookmarks export: its bookmarks
};

// How a document is written, which says how to read it; an XML document's root element says
// which kind of list it is.
enum class ListForm { Text, Xml, Html, Bookmarks };

// Tells the form from the first bytes of a document (gzip data unpacked first): after a byte-order
// mark and blanks, an XML declaration or a sitemap's or feed's root element is XML, the bookmarks
// export's document type is bookmarks, and the document type or a first tag that only HTML starts
// with is HTML. Anything else is a text list, so a text list never changes meaning. The first
// kilobytes are enough; a document cut short is still told apart.
ListForm sniffListForm(QByteArrayView bytes);
