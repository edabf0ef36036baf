#include "browser/LoadOutcome.h"

#include "runtime/ShownText.h"

#include <QWebEngineLoadingInfo>

namespace {
// Chromium's own number for an address whose host has no address.
constexpr int kNameNotResolved = -105;

} // namespace

LoadOutcome loadOutcomeOf(const QWebEngineLoadingInfo &loading)
{
    if (loading.status() != QWebEngineLoadingInfo::LoadFailedStatus) {
        // The browser gives the server's status for a good load too, and makes up a "200" for
        // addresses that no server answered (a file, data).
        const QString scheme = loading.url().scheme();
        const bool fromServer = loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain &&
                                (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
        return {false, fromServer ? loading.errorCode() : 0, QString()};
    }
    if (loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        return {true, loading.errorCode(), QStringLiteral("HTTP %1").arg(loading.errorCode())};
    if (loading.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain || loading.errorCode() == kNameNotResolved)
        return {true, 0, QStringLiteral("host not found")};
    const QString why = loading.errorString();
    return {true, 0, why.isEmpty() ? QStringLiteral("the page did not load") : why};
}

QString cannotShowPage(QString address, const QString &reason)
{
    // The browser shows no page of its own above 2 MB; a sheet holds far less anyway.
    constexpr qsizetype kLongestShown = 2000;
    if (address.size() > kLongestShown)
        address = address.left(kLongestShown) + QStringLiteral("…");
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body><h1>This page cannot be displayed</h1><p>%1 %2</p></body></html>")
        .arg(shownAddress(address).toHtmlEscaped(), reason);
}
