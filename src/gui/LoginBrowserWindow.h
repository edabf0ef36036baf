#pragma once

#include "browser/LoginSource.h"
#include "browser/PageLogin.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

// An ordinary browser window in the print runs' profile, for logging in to a site as in any
// browser: an address bar, Back, Reload and the page. What the site keeps of the login (its
// cookies) is then there for the runs. A site's request for a user name and password is answered
// as in a run (the keyring, the login dialog), except while a print run goes on: a dialog then
// would hold the run up until it closed, so the page keeps the refusal and the window says to
// reload it afterwards.
class LoginBrowserWindow : public QWidget, private LoginSource
{
    Q_OBJECT

public:
    // runGoing tells whether a print run goes on.
    LoginBrowserWindow(QWebEngineProfile &profile, LoginSource &logins, std::function<bool()> runGoing,
                       QWidget *parent = nullptr);
    ~LoginBrowserWindow() override;

    // Loads the address as typed into the address bar.
    void openAddress(const QString &address);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::optional<LoginCredentials> credentials(const LoginChallenge &challenge) override;
    // Loads, goes back or reloads: a new load, whose logins are asked for afresh.
    void navigate(const std::function<void()> &action);

    LoginSource &m_logins;
    std::function<bool()> m_runGoing;
    QPushButton *m_back = nullptr;
    QPushButton *m_reload = nullptr;
    QLineEdit *m_address = nullptr;
    QLabel *m_status = nullptr;
    QWebEngineView *m_view = nullptr;
    QWebEnginePage *m_page = nullptr;
    PageLogin m_login;
    // While a login is asked for, the page must stay: closing the window then waits for the answer.
    int m_answering = 0;
    bool m_closeWhenAnswered = false;
};
