#include "printing/TestHttpServer.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int kCutOffDelayMs = 300;

// A small picture of its own for each number, so that a printed document keeps each apart.
QByteArray picturePng(int number)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(number * 40 % 360, 200, 200));
    image.setPixelColor(number % 16, number % 16, Qt::black);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The value of the request header of that name, or nothing.
QByteArray header(const QList<QByteArray> &lines, const QByteArray &name)
{
    for (const QByteArray &line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

bool bringsCookie(const QByteArray &cookieHeader, const QByteArray &cookie)
{
    for (const QByteArray &pair : cookieHeader.split(';'))
        if (pair.trimmed() == cookie)
            return true;
    return false;
}

// Turns the page into what the request gets: a login's refusal without the login, the cookie's body
// with the cookie. Gives the headers the answer needs besides the usual ones.
QByteArray answerTheRequest(TestHttpServer::Page &page, const QList<QByteArray> &headers)
{
    QByteArray extraHeaders;
    if (!page.login.isEmpty() && header(headers, "Authorization") != "Basic " + page.login.toBase64()) {
        page.status = 401;
        page.body = "<!DOCTYPE html><html><head><title>Login required</title></head><body>Login required</body></html>";
        page.delivery = TestHttpServer::Delivery::Whole;
        extraHeaders += "WWW-Authenticate: Basic realm=\"Test realm\"\r\n";
    } else if (!page.setCookie.isEmpty()) {
        extraHeaders += "Set-Cookie: " + page.setCookie + "\r\n";
    }
    if (!page.cookie.isEmpty() && bringsCookie(header(headers, "Cookie"), page.cookie))
        page.body = page.cookieBody;
    return extraHeaders;
}

QByteArray reasonFor(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 401:
        return "Unauthorized";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}
} // namespace

TestHttpServer::TestHttpServer() : m_server(new QTcpServer(this))
{
    if (!m_server->listen(QHostAddress::LocalHost))
        qFatal("the test web server cannot listen on 127.0.0.1");
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

TestHttpServer::~TestHttpServer() = default;

void TestHttpServer::serve(const QString &path, const Page &page)
{
    m_pages.insert(path, page);
}

void TestHttpServer::serveHtml(const QString &path, const QString &title, const QString &text)
{
    Page page;
    page.body = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                               "<body><h1>%2</h1><p>%2</p></body></html>")
                    .arg(title.toHtmlEscaped(), text.toHtmlEscaped())
                    .toUtf8();
    serve(path, page);
}

void TestHttpServer::serveLazyPictures(const QString &path, int count)
{
    Page page;
    page.body = "<!DOCTYPE html><html><head><title>Lazy pictures</title><style>"
                "img { display: block; width: 64px; height: 64px; margin-bottom: 100vh }</style></head><body>";
    for (int i = 1; i <= count; ++i) {
        Page picture;
        picture.body = picturePng(i);
        picture.contentType = "image/png";
        serve(QStringLiteral("/picture%1.png").arg(i), picture);
        page.body += "<img data-src='/picture" + QByteArray::number(i) + ".png'>";
    }
    page.body += "<script>const observer = new IntersectionObserver(entries => {"
                 "for (const entry of entries) if (entry.isIntersecting) {"
                 "entry.target.src = entry.target.dataset.src; observer.unobserve(entry.target); } });"
                 "document.querySelectorAll('img').forEach(image => observer.observe(image));</script></body></html>";
    serve(path, page);
}

QString TestHttpServer::address(const QString &path) const
{
    return QStringLiteral("127.0.0.1:%1%2").arg(m_server->serverPort()).arg(path);
}

QString TestHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://") + address(path);
}

void TestHttpServer::answer(QTcpSocket *socket)
{
    // One request per connection, answered once all of it has come: a connection closed with some
    // of the request still unread is reset, and the browser may then lose the answer with it (a
    // picture that never shows).
    if (socket->property("answered").toBool())
        return;
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QList<QByteArray> lines = request.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    const QList<QByteArray> headers = lines.mid(1);
    socket->setProperty("answered", true);
    const QString path = requestLine.size() > 1 ? QString::fromUtf8(requestLine[1]) : QString();
    m_requested.append(path);

    Page page;
    const auto found = m_pages.constFind(path);
    if (found != m_pages.constEnd()) {
        page = *found;
    } else {
        page.status = 404;
        page.body = "<!DOCTYPE html><html><head><title>Not Found</title></head><body>Not Found</body></html>";
    }
    const QByteArray extraHeaders = answerTheRequest(page, headers);
    if (page.delivery == Delivery::NeverAnswer) {
        m_heldOpen.append(socket);
        return;
    }
    socket->write("HTTP/1.1 " + QByteArray::number(page.status) + ' ' + reasonFor(page.status) + "\r\nContent-Type: " +
                  page.contentType + "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                  "\r\nCache-Control: no-store\r\n" + extraHeaders + "Connection: close\r\n\r\n");
    switch (page.delivery) {
    case Delivery::Whole:
        socket->write(page.body);
        socket->disconnectFromHost();
        break;
    case Delivery::NeverFinish:
        socket->write(page.body.left(page.body.size() / 2));
        socket->flush();
        m_heldOpen.append(socket);
        break;
    case Delivery::NeverAnswer:
        break;
    case Delivery::CloseHalfway:
        // The first half has time to reach the browser and show before the connection drops.
        socket->write(page.body.left(page.body.size() / 2));
        socket->flush();
        QTimer::singleShot(kCutOffDelayMs, socket, &QTcpSocket::abort);
        break;
    }
}
