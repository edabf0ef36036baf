#include "run/PagesInFlight.h"

#include "browser/BrowserPool.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <algorithm>

PagesInFlight::PagesInFlight(BrowserPool &browsers, int depth, bool printBackgrounds, WaitRules rules,
                             std::chrono::nanoseconds pageTimeLimit)
    : m_browsers(browsers), m_depth(std::max(depth, 1)), m_printBackgrounds(printBackgrounds),
      m_rules(std::move(rules)), m_pageTimeLimit(pageTimeLimit)
{}

PageBrowser &PagesInFlight::current() const
{
    return m_browsers.browser(m_current);
}

bool PagesInFlight::loadingAhead(int browser) const
{
    return std::any_of(m_ahead.cbegin(), m_ahead.cend(), [&](const auto &ahead) { return ahead.first == browser; });
}

int PagesInFlight::freeBrowser() const
{
    for (int browser = 0; browser < m_depth; ++browser)
        if (browser != m_current && !loadingAhead(browser))
            return browser;
    return -1;
}

void PagesInFlight::loadAddress(const QString &address)
{
    // Pages are printed in the order they were loaded ahead: one that is not next (the list changed
    // under the run) is loaded again in its turn, and its browser is free again.
    while (!m_ahead.empty() && m_ahead.front().second != address)
        m_ahead.pop_front();
    if (!m_ahead.empty()) {
        m_current = m_ahead.front().first;
        m_ahead.pop_front();
        return;
    }
    current().loadAddress(address, m_printBackgrounds);
}

void PagesInFlight::loadAhead(const QStringList &addresses)
{
    for (qsizetype i = 0; i < addresses.size() && i + 1 < m_depth && !programEnding(); ++i) {
        if (i < static_cast<qsizetype>(m_ahead.size()))
            continue;
        const int browser = freeBrowser();
        if (browser < 0)
            return;
        // A page that can't be loaded ahead is loaded in its turn instead, which reports what is
        // wrong with it: nothing of it may cost the page being printed.
        try {
            PageBrowser &ahead = m_browsers.browser(browser);
            ahead.loadAddress(addresses.at(i), m_printBackgrounds);
            ahead.readyWhenLoaded(m_rules, QDeadlineTimer(m_pageTimeLimit, Qt::PreciseTimer));
            if (m_sheets)
                ahead.renderWhenReady(*m_sheets, m_rules);
            m_ahead.emplace_back(browser, addresses.at(i));
        } catch (const RuntimeError &) {
            return;
        }
    }
}

QString PagesInFlight::finishPage(const WaitRules &rules, QDeadlineTimer deadline)
{
    return current().finishPage(rules, deadline);
}

std::chrono::milliseconds PagesInFlight::readyFor() const
{
    return std::chrono::milliseconds(current().readyForMs());
}

void PagesInFlight::letGoOfPages()
{
    m_ahead.clear();
    m_sheets.reset();
    m_browsers.letGoOfPages();
}

RenderedPage PagesInFlight::renderForPrinting(const SheetRequest &sheets)
{
    // The sheets are known from the run's first page on; the pages ahead render as soon as they are
    // ready, in renderers of their own, while this one renders and is handed over.
    m_sheets = sheets;
    for (const auto &[browser, address] : m_ahead)
        m_browsers.browser(browser).renderWhenReady(sheets, m_rules);
    return current().render(sheets, m_rules);
}
