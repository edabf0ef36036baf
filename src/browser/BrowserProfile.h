#pragma once

#include <QString>

#include <memory>

class QWebEngineProfile;

// The browser profile pages load in: what the browser keeps of the sites a user has visited, their
// cookies, site storage and HTTP cache. Made after the application object, and kept until every
// page that uses it is gone: the browser would not survive a page whose profile went first.
class BrowserProfile
{
public:
    enum class Kind {
        // Kept between runs in the program's data folder, session cookies too: a login made once,
        // in the window's login window or in one run, serves the runs after it, window and command
        // line alike.
        Kept,
        // Nothing written anywhere, and nothing of the kept profile seen.
        Private,
    };

    explicit BrowserProfile(Kind kind);
    ~BrowserProfile();
    BrowserProfile(const BrowserProfile &) = delete;
    BrowserProfile &operator=(const BrowserProfile &) = delete;

    QWebEngineProfile &profile() const { return *m_profile; }

    // Where the kept profile's cookies and site storage are, and its HTTP cache.
    static QString storageFolder();
    static QString cacheFolder();

private:
    std::unique_ptr<QWebEngineProfile> m_profile;
};
