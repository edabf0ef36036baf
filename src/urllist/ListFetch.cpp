#include "urllist/ListFetch.h"

#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "urllist/BadListError.h"
#include "urllist/ListLimits.h"
#include "urllist/ListReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>

#include <memory>

namespace {
constexpr int kMaxRedirections = 10;

// The proxies the browser uses too: those the environment names (http_proxy, no_proxy, ...).
class SystemProxies : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override { return systemProxyForQuery(query); }
};

QString networkProblem(const QNetworkReply &reply)
{
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("host not found");
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("connection refused");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("too many redirections");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("redirected from https to http");
    default:
        return reply.errorString();
    }
}

FetchedDocument readFile(const QUrl &address)
{
    QFile file(address.toLocalFile());
    openListFile(file);
    if (file.size() > kMaxListBytes)
        throw documentTooBig();
    FetchedDocument document{file.readAll(), address};
    if (file.error() != QFileDevice::NoError)
        throw BadListError(file.errorString());
    return document;
}

FetchedDocument download(const QUrl &address, std::chrono::milliseconds timeLimit)
{
    QNetworkAccessManager network;
    network.setProxyFactory(new SystemProxies);
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirections);
    // Asked for by name, gzip comes packed: it is unpacked here, with a cap, as a .gz file is.
    request.setRawHeader("Accept-Encoding", "gzip");
    request.setHeader(
        QNetworkRequest::UserAgentHeader,
        QStringLiteral("%1/%2").arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    const std::unique_ptr<QNetworkReply> reply(network.get(request));
    bool finished = false;
    bool oversized = false;
    QObject::connect(reply.get(), &QNetworkReply::finished, [&] { finished = true; });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, [&](qint64 received, qint64 total) {
        if (received > kMaxListBytes || total > kMaxListBytes) {
            oversized = true;
            reply->abort();
        }
    });
    if (!sleepUntil([&] { return finished; }, QDeadlineTimer(timeLimit))) {
        reply->abort();
        if (programEnding())
            throw BadListError(QStringLiteral("stopped"));
        throw BadListError(
            QStringLiteral("no answer within %1 seconds").arg(std::chrono::duration<double>(timeLimit).count()));
    }
    if (oversized)
        throw documentTooBig();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        throw BadListError(QStringLiteral("HTTP %1").arg(status));
    if (reply->error() != QNetworkReply::NoError)
        throw BadListError(networkProblem(*reply));
    return {reply->readAll(), reply->url()};
}
} // namespace

bool isListAddress(const QString &text)
{
    return text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

FetchedDocument fetchListDocument(const QUrl &address, std::chrono::milliseconds timeLimit)
{
    const QString scheme = address.scheme();
    if (address.isLocalFile())
        return readFile(address);
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !address.host().isEmpty())
        return download(address, timeLimit);
    throw BadListError(QStringLiteral("%1 is not an http:, https: or file: address").arg(address.toDisplayString()));
}
