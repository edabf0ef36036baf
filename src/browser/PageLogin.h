#pragma once

#include "browser/LoginSource.h"

#include <QHash>
#include <QString>

class QAuthenticator;
class QObject;
class QUrl;
class QWebEnginePage;

// Answers a page's requests for a login from its source, at most twice for one site and realm in
// one load: the browser asks again for as long as the site refuses what it is given, so a wrong
// password would otherwise loop for ever. After that, or without an answer, the page is left with
// the site's refusal (HTTP 401). A proxy's request is refused: the program knows no proxy logins.
class PageLogin
{
public:
    // Where the answers come from; with none, every request is refused.
    void setSource(LoginSource *source) { m_source = source; }
    // Answers the page's requests while the context lives, or until its connections to the page go.
    void watch(QWebEnginePage &page, const QObject &context);
    // A new load begins: every site's requests are answered afresh.
    void newLoad();
    // Why the load's login failed, once an answer was refused and none followed: "login refused for
    // HOST", with where the answer came from; empty otherwise.
    QString refusal() const { return m_refusal; }

private:
    void answer(const QUrl &url, QAuthenticator &authenticator);

    LoginSource *m_source = nullptr;
    // The answers given to each site and realm in this load.
    QHash<QString, int> m_answers;
    QString m_refusal;
};
