#include "browser/BrowserPool.h"

#include "browser/PageBrowser.h"

BrowserPool::BrowserPool(QWebEngineProfile *profile, LoginSource *logins, QWidget *window)
    : m_profile(profile), m_logins(logins), m_window(window)
{}

BrowserPool::~BrowserPool() = default;

PageBrowser &BrowserPool::browser(int index)
{
    while (static_cast<int>(m_browsers.size()) <= index) {
        m_browsers.push_back(std::make_unique<PageBrowser>(m_profile, m_logins, m_window));
        m_browsers.back()->showOutOfSight();
    }
    return *m_browsers[static_cast<size_t>(index)];
}

void BrowserPool::letGoOfPages()
{
    for (const std::unique_ptr<PageBrowser> &browser : m_browsers)
        browser->letGoOfPage();
}
