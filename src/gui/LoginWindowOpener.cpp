#include "gui/LoginWindowOpener.h"

#include "gui/LoginBrowserWindow.h"

LoginWindowOpener::LoginWindowOpener(QWidget &window, Dialogs &dialogs, Keyring *keyring,
                                     std::function<bool()> runGoing)
    : m_window(window), m_logins(dialogs, keyring), m_runGoing(std::move(runGoing))
{}

LoginWindowOpener::~LoginWindowOpener()
{
    // Its page answers logins through these answers.
    delete m_loginWindow;
}

void LoginWindowOpener::open(QWebEngineProfile &profile)
{
    if (!m_loginWindow)
        m_loginWindow = new LoginBrowserWindow(profile, m_logins, m_runGoing, &m_window);
    m_loginWindow->show();
    m_loginWindow->raise();
    m_loginWindow->activateWindow();
}
