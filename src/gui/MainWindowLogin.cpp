#include "gui/MainWindow.h"

#include "gui/LoginBrowserWindow.h"
#include "gui/WindowLogins.h"
#include "printing/WebBrowserControl.h"

void MainWindow::openLoginWindow()
{
    if (!m_loginWindow)
        m_loginWindow = new LoginBrowserWindow(
            m_browser->profile(), *m_logins, [this] { return m_printRunning; }, this);
    m_loginWindow->show();
    m_loginWindow->raise();
    m_loginWindow->activateWindow();
}
