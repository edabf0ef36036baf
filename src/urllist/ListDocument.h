#pragma once

#include "runtime/Clock.h"
#include "urllist/ListKind.h"

#include <QByteArray>
#include <QStringList>
#include <QUrl>

#include <chrono>

class QFile;
class QIODevice;

// How a list document's pages are to be read.
struct ListReading
{
    // An HTML page (not a bookmarks export) gives the pages it links to; without this it gives
    // none, and its kind tells the caller that it was a page.
    bool links = false;
    // Of an HTML page's links, only those to the page's own host.
    bool sameSite = false;
    // The longest wait for one document to be fetched: the list's own, or each sitemap an index
    // lists.
    std::chrono::milliseconds fetchTimeLimit{kDefaultTimeLimit};
};

// A list as it was read.
struct ListPages
{
    ListKind kind = ListKind::Text;
    // A text list's rows exactly as the file has them, empty ones too; any other kind's pages, each
    // once, in the order the document lists them.
    QStringList rows;
};

// Reads a list from a document's bytes, whatever kind it is. gzip data is unpacked first (to at
// most kMaxListBytes), then the content says the kind (see sniffListForm): a text list's rows are
// read as ever (see readListRows); a sitemap's, feed's or page's pages resolve against location,
// the document's own address (a file: address for one on this computer). A sitemap index's
// sitemaps are fetched in turn, gzipped ones too, each once: one listed again, or an index that
// lists itself, is not read twice.
//
// Raises a BadListError when the list can't be read whole: a sitemap that can't be fetched or is
// no sitemap, XML that is not well-formed, more than kMaxListBytes or kMaxListEntries in one
// document, damaged gzip data, and a text list from the web that names a file on this computer.
ListPages readListDocument(const QByteArray &bytes, const QUrl &location, const ListReading &reading);

// Reads the list a command line names: an http:, https: or file: address (see fetchListDocument),
// or a file path. A text file is read as the window reads it, row by row; a file of another kind
// may be at most kMaxListBytes. A path that can't be read raises a RuntimeError as openListFile
// does.
ListPages readListAt(const QString &addressOrPath, const ListReading &reading);

// Whether a device holds a text list, from its first bytes; it is left where it was.
bool holdsTextList(QIODevice &device);

// Reads a list file that holds no text list (see holdsTextList), open for reading: at most
// kMaxListBytes, as readListDocument reads its bytes.
ListPages readDocumentFile(QFile &file, const ListReading &reading);
