#include "urllist/PageSet.h"

namespace {
bool isWebPage(const QUrl &page, const QUrl &listedIn)
{
    const QString scheme = page.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !page.host().isEmpty();
    return scheme == QLatin1String("file") && listedIn.isLocalFile();
}
} // namespace

QString pageKey(const QUrl &address)
{
    QUrl page = address.adjusted(QUrl::RemoveFragment);
    if (page.path().isEmpty() && !page.host().isEmpty())
        page.setPath(QStringLiteral("/"));
    return page.toString(QUrl::FullyEncoded);
}

void PageSet::add(const QUrl &page, const QUrl &listedIn)
{
    if (!page.isValid() || !isWebPage(page, listedIn))
        return;
    if (m_onlyHost && page.host() != *m_onlyHost)
        return;
    const QString key = pageKey(page);
    if (m_seen.contains(key))
        return;
    m_seen.insert(key);
    m_pages.append(page.toString(QUrl::FullyEncoded));
}
