#pragma once

#include "gui/WindowLogins.h"

#include <QPointer>

#include <functional>

class LoginBrowserWindow;
class QWebEngineProfile;
class QWidget;

// The window's logins: the answers to a site's request for a login, which its runs and its login
// window share, and the login window itself ("Log In to a Site…"), one at a time. The login window
// goes with this, before the answers it asks through.
class LoginWindowOpener
{
public:
    // runGoing tells whether a print run goes on.
    LoginWindowOpener(QWidget &window, Dialogs &dialogs, Keyring *keyring, std::function<bool()> runGoing);
    ~LoginWindowOpener();
    LoginWindowOpener(const LoginWindowOpener &) = delete;
    LoginWindowOpener &operator=(const LoginWindowOpener &) = delete;

    LoginSource &logins() { return m_logins; }

    // Opens the login window in the profile the runs' pages load in, or brings the one open to the
    // front.
    void open(QWebEngineProfile &profile);

private:
    QWidget &m_window;
    WindowLogins m_logins;
    std::function<bool()> m_runGoing;
    QPointer<LoginBrowserWindow> m_loginWindow;
};
