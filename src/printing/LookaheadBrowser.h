#pragma once

#include "printing/BrowserControl.h"
#include "printing/PageSetup.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class LoginSource;
class PageDestination;
class PrinterSystem;
class WebBrowserControl;

// Two browsers that take turns, so that the next page loads while this one is rendered and handed
// over: a page that is mostly waiting for the network no longer leaves the processor idle, nor
// the network idle while another renders. Each page is loaded, rendered and handed over by one of
// the two, from start to end, and the run still hands pages over one at a time, in its order. So
// at most two pages live at once, and a page given up (a stuck script, an ended renderer) takes
// only its own browser's page with it.
//
// The first browser is the one given; the second is made when first needed, in the first's profile,
// kept off every screen like the first, and sends its pagePrinted and pagePhaseTimes through the first, which so
// speaks for both.
class LookaheadBrowser : public BrowserControl
{
public:
    LookaheadBrowser(PrinterSystem &printers, WebBrowserControl &first);
    ~LookaheadBrowser() override;
    LookaheadBrowser(const LookaheadBrowser &) = delete;
    LookaheadBrowser &operator=(const LookaheadBrowser &) = delete;

    // Takes the page the other browser has loaded ahead when it is this address's; else loads it.
    void loadAddress(const QString &address) override;
    // Starts the address loading in the browser that is not printing.
    void loadAhead(const QString &address) override;
    bool loadComplete() override;
    LoadOutcome loadOutcome() const override;
    Holding holding() override;
    QString finishPage(const WaitRules &rules, QDeadlineTimer deadline) override;
    void setUpPage() override;
    QByteArray renderForPrinting() override;
    Delivery handOver(const QByteArray &pdf, const ListPlace &place) override;

    // As for a single browser (see WebBrowserControl), for both: they hand their pages to the same
    // destination, which so sees every page of the run.
    void setDestination(std::shared_ptr<PageDestination> destination);
    // The print queue the following prints go to, by name; with none, the default printer at the
    // moment of each print.
    void setJobPrinter(const QString &name);
    void setPageSetup(const PageSetup &setup);
    void setRenderTimeLimit(std::chrono::milliseconds limit);
    void setLoginSource(LoginSource *source);
    void letGoOfPages();

private:
    WebBrowserControl &current() const;
    WebBrowserControl &spare();
    // Does the same to both browsers, the second where it has been made.
    void forEachBrowser(const std::function<void(WebBrowserControl &)> &action);
    // Gives a browser the run's settings.
    void configure(WebBrowserControl &browser) const;

    PrinterSystem &m_printers;
    WebBrowserControl &m_first;
    std::unique_ptr<WebBrowserControl> m_second;
    bool m_secondPrints = false;
    // What the spare browser loads ahead, if anything.
    std::optional<QString> m_aheadAddress;

    std::shared_ptr<PageDestination> m_destination;
    std::optional<PageSetup> m_setup;
    std::optional<std::chrono::milliseconds> m_renderTimeLimit;
    LoginSource *m_loginSource = nullptr;
    bool m_setUp = false;
};
