#include "gui/WindowLogins.h"

#include "runtime/Dialogs.h"
#include "runtime/Keyring.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
// A login as the keyring keeps it: the user name with its password, under the site and realm.
QByteArray keptLogin(const QString &user, const QString &password)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("user"), user}, {QStringLiteral("password"), password}})
        .toJson(QJsonDocument::Compact);
}

std::optional<LoginCredentials> readKeptLogin(const std::optional<QByteArray> &secret)
{
    if (!secret)
        return std::nullopt;
    const QJsonObject login = QJsonDocument::fromJson(*secret).object();
    if (!login.contains(QStringLiteral("password")))
        return std::nullopt;
    return LoginCredentials{login.value(QStringLiteral("user")).toString(),
                            login.value(QStringLiteral("password")).toString()};
}
} // namespace

WindowLogins::WindowLogins(Dialogs &dialogs, Keyring *keyring) : m_dialogs(dialogs), m_keyring(keyring)
{}

std::optional<LoginCredentials> WindowLogins::credentials(const LoginChallenge &challenge)
{
    const QString key = challenge.key();
    const Keyring::Found found = m_keyring ? m_keyring->read(key) : Keyring::Found{};
    std::optional<LoginCredentials> kept = readKeptLogin(found.secret);
    if (kept && challenge.refused == 0)
        return kept;

    Dialogs::LoginRequest request;
    request.site = challenge.site();
    request.realm = challenge.realm;
    request.user = m_typedUsers.value(key, kept ? kept->user : QString());
    request.refused = challenge.refused > 0;
    request.canRemember = found.available;
    const std::optional<Dialogs::LoginAnswer> answer = m_dialogs.login(request);
    if (!answer)
        return std::nullopt;
    m_typedUsers.insert(key, answer->user);
    if (answer->remember && m_keyring && found.available)
        m_keyring->write(key, keptLogin(answer->user, answer->password));
    return LoginCredentials{answer->user, answer->password};
}
