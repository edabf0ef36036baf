#pragma once

#include <QWidget>

#include <memory>
#include <vector>

class LoginSource;
class PageBrowser;
class QWebEngineProfile;

// The browsers a program prints with, all alike: in one profile, answering logins from one source,
// kept out of sight in one window (or, with none, on no screen). Each is made when first needed
// and lives as long as the pool, so that a run after the first finds its browsers ready.
class BrowserPool
{
public:
    BrowserPool(QWebEngineProfile *profile, LoginSource *logins, QWidget *window);
    ~BrowserPool();
    BrowserPool(const BrowserPool &) = delete;
    BrowserPool &operator=(const BrowserPool &) = delete;

    // The browser at that place, from 0, made when first asked for.
    PageBrowser &browser(int index);
    // Lets every browser go of its page, as a run ends.
    void letGoOfPages();

private:
    QWebEngineProfile *m_profile;
    LoginSource *m_logins;
    QWidget *m_window;
    std::vector<std::unique_ptr<PageBrowser>> m_browsers;
};
