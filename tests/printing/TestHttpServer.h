#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

// A web server on 127.0.0.1 inside the test process. It answers through the test's own event
// loop, so it serves while the program under test waits. Besides ordinary pages it can hold a
// page open for ever, cut it off half-way or never answer at all; unknown paths get a 404. A page
// can ask for a login (HTTP Basic), set a cookie, or show another body to a request that brings a
// cookie back.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    enum class Delivery { Whole, NeverFinish, CloseHalfway, NeverAnswer };

    struct Page
    {
        QByteArray body;
        QByteArray contentType = "text/html; charset=utf-8";
        int status = 200;
        Delivery delivery = Delivery::Whole;
        // Set ("user:password"): only a request that logs in with it gets the page; any other
        // gets a 401 asking for a login to the realm "Test realm".
        QByteArray login;
        // Sent as the answer's Set-Cookie header: "name=value" alone lasts the browser's session.
        QByteArray setCookie;
        // Set ("name=value"): a request that brings this cookie gets cookieBody instead of body.
        QByteArray cookie;
        QByteArray cookieBody;
    };

    TestHttpServer();
    ~TestHttpServer() override;

    void serve(const QString &path, const Page &page);
    // An HTML page whose title and body text are the given texts.
    void serveHtml(const QString &path, const QString &title, const QString &text);

    // A page of `count` pictures a screen apart, each a PNG of its own that the page's script loads
    // only once it comes into view.
    void serveLazyPictures(const QString &path, int count);

    // "127.0.0.1:port/path", as a user types it: no scheme.
    QString address(const QString &path) const;
    QString url(const QString &path) const;
    QStringList requestedPaths() const { return m_requested; }

private:
    void answer(QTcpSocket *socket);

    QTcpServer *m_server;
    QHash<QString, Page> m_pages;
    QStringList m_requested;
    QList<QTcpSocket *> m_heldOpen;
};
