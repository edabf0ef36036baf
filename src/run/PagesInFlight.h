#pragma once

#include "browser/PageBrowser.h"
#include "run/BrowserControl.h"

#include <chrono>
#include <deque>
#include <optional>
#include <utility>

class BrowserPool;

// The pages of a run in its browsers: the page being printed, and as many of those that follow as
// the run keeps in flight, loading, readied and rendered in browsers of their own meanwhile, so
// that a page that mostly waits on the network leaves neither the processor nor the network idle,
// and the renders of two pages use both cores. Each page is loaded and rendered by one browser,
// from start to end, and the run still hands pages over one at a time, in its order. So at most `depth` pages live at
// once, and a page given up (a stuck script, an ended renderer) takes only its own browser's page with it.
class PagesInFlight : public BrowserControl
{
public:
    // Up to `depth` pages at once, 1 being one at a time; the pages print their backgrounds or not.
    // A page loaded ahead is made ready by the rules as soon as it has loaded, within the bound on
    // a page from its start, and rendered once ready, so that it is rendered, or nearly, when its
    // turn comes.
    PagesInFlight(BrowserPool &browsers, int depth, bool printBackgrounds, WaitRules rules,
                  std::chrono::nanoseconds pageTimeLimit);

    // Takes the browser that loaded the address ahead, when one did; else loads it.
    void loadAddress(const QString &address) override;
    void loadAhead(const QStringList &addresses) override;
    bool loadComplete() override { return current().loadComplete(); }
    LoadOutcome loadOutcome() const override { return current().loadOutcome(); }
    Holding holding() override { return current().holding(); }
    QString finishPage(const WaitRules &rules, QDeadlineTimer deadline) override;
    std::chrono::milliseconds readyFor() const override;
    RenderedPage renderForPrinting(const SheetRequest &sheets) override;

    PhaseTimes phaseTimes() const override { return current().phaseTimes(); }
    void letGoOfPages() override;

private:
    PageBrowser &current() const;
    // A browser that holds neither the page being printed nor one loaded ahead.
    int freeBrowser() const;
    bool loadingAhead(int browser) const;

    BrowserPool &m_browsers;
    int m_depth;
    bool m_printBackgrounds;
    WaitRules m_rules;
    std::chrono::nanoseconds m_pageTimeLimit;
    int m_current = 0;
    // The browsers loading pages ahead, with their addresses, in the order they will print.
    std::deque<std::pair<int, QString>> m_ahead;
    // The sheets the run's pages are rendered on, once its first page has told them.
    std::optional<SheetRequest> m_sheets;
};
