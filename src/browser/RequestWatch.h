#pragma once

#include <QElapsedTimer>
#include <QWebEngineUrlRequestInterceptor>

#include <chrono>

// Notes when a page last asked the network for anything: its document, a picture, a script's
// fetch; not the icon the browser asks for by itself. Installed on the page, it changes no request.
class RequestWatch : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // How long ago the last request started; a long time when none has.
    std::chrono::milliseconds sinceLastRequest() const;

private:
    QElapsedTimer m_lastRequest;
};
