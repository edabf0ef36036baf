#include "gui/MainWindow.h"

#include "browser/BrowserPool.h"
#include "browser/PageBrowser.h"
#include "gui/LoginBrowserWindow.h"
#include "gui/WindowLogins.h"

void MainWindow::openLoginWindow()
{
    if (!m_loginWindow)
        m_loginWindow = new LoginBrowserWindow(
            m_browsers->browser(0).profile(), *m_logins, [this] { return m_printRunning; }, this);
    m_loginWindow->show();
    m_loginWindow->raise();
    m_loginWindow->activateWindow();
}
