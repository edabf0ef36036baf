#pragma once

#include <QSet>
#include <QStringList>
#include <QUrl>

#include <optional>

// The pages of a list read from a sitemap, feed or page, in the order they were first listed, each
// once: an address that differs from an earlier one only in its #fragment is the same page. Only
// web pages are kept (http:, https:, and file: from a document on this computer: a list from the
// web never prints the computer's own files); mailto:, javascript: and the like are left out.
class PageSet
{
public:
    // Keeps only the pages on this host from now on.
    void keepOnlyHost(const QString &host) { m_onlyHost = host; }

    // Adds the page that a document at listedIn lists, when it is one to keep.
    void add(const QUrl &page, const QUrl &listedIn);

    const QStringList &pages() const { return m_pages; }

private:
    QStringList m_pages;
    QSet<QString> m_seen;
    std::optional<QString> m_onlyHost;
};

// A page's address as one page: without the part that only points within it, and "/" for an
// empty path.
QString pageKey(const QUrl &address);
