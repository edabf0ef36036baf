#pragma once

#include "browser/LoginSource.h"

#include <QHash>

class Dialogs;
class Keyring;

// The window's answers to a site's request for a login, for its print runs and its login window
// alike: a password remembered in the keyring is tried first without asking; else, or once it is
// refused, the user is asked through the login dialog, who may have the password remembered. The
// page's login (PageLogin) asks no more than twice for one site and realm in one load.
class WindowLogins : public LoginSource
{
public:
    // Without a keyring nothing is remembered.
    WindowLogins(Dialogs &dialogs, Keyring *keyring);

    std::optional<LoginCredentials> credentials(const LoginChallenge &challenge) override;

private:
    Dialogs &m_dialogs;
    Keyring *m_keyring;
    // The user name last typed for each site and realm, offered again after a refusal.
    QHash<QString, QString> m_typedUsers;
};
