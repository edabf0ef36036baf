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
    // One request per connection: the request line and headers arrive together for these pages.
    if (!socket->canReadLine() || socket->property("answered").toBool())
        return;
    const QList<QByteArray> requestLine = socket->readLine().trimmed().split(' ');
    socket->readAll();
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
    if (page.delivery == Delivery::NeverAnswer) {
        m_heldOpen.append(socket);
        return;
    }
    const QByteArray reason = page.status == 200 ? "OK" : page.status == 404 ? "Not Found" : "Status";
    socket->write("HTTP/1.1 " + QByteArray::number(page.status) + ' ' + reason + "\r\nContent-Type: " +
                  page.contentType + "\r\nContent-Length: " + QByteArray::number(page.body.size()) +
                  "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n");
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
