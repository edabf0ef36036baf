#pragma once

#include <QByteArrayView>
#include <QStringList>

// The links of an HTML page (a bookmarks export is one), as its markup gives them.
struct HtmlLinks
{
    QString base;      // the first <base href>, which relative links resolve against; empty for none
    QStringList hrefs; // every <a href> and <area href>, in document order, as written
};

// Reads the page with an HTML parser that recovers from broken markup as browsers do and never
// reaches the network. Text that is valid UTF-8 is read as UTF-8; other text as the page's own
// charset says, else Latin-1. Raises a BadListError for more than kMaxListEntries links.
HtmlLinks readHtmlLinks(QByteArrayView page);
