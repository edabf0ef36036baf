#include "browser/PageLogin.h"

#include <QAuthenticator>
#include <QWebEnginePage>

namespace {
// The browser takes one answer and one more after a refusal; a third would be a guess.
constexpr int kMostAnswers = 2;

// Leaves the page with the site's refusal: an authenticator left as it came would answer with an
// empty user name and password, which the site refuses, and the browser asks again.
void refuse(QAuthenticator &authenticator)
{
    authenticator = QAuthenticator();
}
} // namespace

QString LoginChallenge::site() const
{
    return url.port() < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
}

QString LoginChallenge::key() const
{
    return QStringLiteral("%1://%2 %3").arg(url.scheme(), site(), realm);
}

void PageLogin::watch(QWebEnginePage &page, const QObject &context)
{
    QObject::connect(&page, &QWebEnginePage::authenticationRequired, &context,
                     [this](const QUrl &url, QAuthenticator *authenticator) { answer(url, *authenticator); });
    QObject::connect(&page, &QWebEnginePage::proxyAuthenticationRequired, &context,
                     [](const QUrl &, QAuthenticator *authenticator, const QString &) { refuse(*authenticator); });
}

void PageLogin::newLoad()
{
    m_answers.clear();
    m_refusal.clear();
}

void PageLogin::answer(const QUrl &url, QAuthenticator &authenticator)
{
    LoginChallenge challenge{url, authenticator.realm(), 0};
    const QString key = challenge.key();
    challenge.refused = m_answers.value(key);
    // The source may wait in the event loop (a dialog, the keyring): what it needs is copied first.
    LoginSource *source = m_source;
    const std::optional<LoginCredentials> credentials =
        source && challenge.refused < kMostAnswers ? source->credentials(challenge) : std::nullopt;
    if (!credentials) {
        if (challenge.refused > 0) {
            const QString origin = source ? source->origin() : QString();
            m_refusal = QStringLiteral("login refused for %1").arg(url.host()) +
                        (origin.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(origin));
        }
        refuse(authenticator);
        return;
    }
    m_answers[key] = challenge.refused + 1;
    m_refusal.clear();
    authenticator.setUser(credentials->user);
    authenticator.setPassword(credentials->password);
}
