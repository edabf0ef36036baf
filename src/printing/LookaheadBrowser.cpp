#include "printing/LookaheadBrowser.h"

#include "printing/PrinterDestination.h"
#include "printing/WebBrowserControl.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

LookaheadBrowser::LookaheadBrowser(PrinterSystem &printers, WebBrowserControl &first)
    : m_printers(printers), m_first(first)
{}

LookaheadBrowser::~LookaheadBrowser() = default;

void LookaheadBrowser::forEachBrowser(const std::function<void(WebBrowserControl &)> &action)
{
    action(m_first);
    if (m_second)
        action(*m_second);
}

WebBrowserControl &LookaheadBrowser::current() const
{
    return m_secondPrints ? *m_second : m_first;
}

WebBrowserControl &LookaheadBrowser::spare()
{
    if (m_secondPrints)
        return m_first;
    if (!m_second) {
        // Out of sight where the first is, and of its size, so that a page lays out the same in
        // either. A browser never shown treats its page as hidden and loads it at half speed; one
        // of a window of its own, where the first has none, is shown but kept off every screen.
        m_second = std::make_unique<WebBrowserControl>(m_printers, &m_first.profile(), m_first.parentWidget());
        if (m_first.parentWidget())
            m_second->setGeometry(m_first.geometry());
        else
            m_second->setAttribute(Qt::WA_DontShowOnScreen);
        m_second->resize(m_first.size());
        m_second->show();
        QObject::connect(m_second.get(), &WebBrowserControl::pagePrinted, &m_first, &WebBrowserControl::pagePrinted);
        QObject::connect(m_second.get(), &WebBrowserControl::pagePhaseTimes, &m_first,
                         &WebBrowserControl::pagePhaseTimes);
        configure(*m_second);
    }
    return *m_second;
}

void LookaheadBrowser::configure(WebBrowserControl &browser) const
{
    if (m_destination)
        browser.setDestination(m_destination);
    if (m_setup)
        browser.setPageSetup(*m_setup);
    if (m_renderTimeLimit)
        browser.setRenderTimeLimit(*m_renderTimeLimit);
    browser.setLoginSource(m_loginSource);
    if (m_setUp)
        browser.setUpPage();
}

void LookaheadBrowser::loadAddress(const QString &address)
{
    const bool loadedAhead = m_aheadAddress == address;
    m_aheadAddress.reset();
    if (loadedAhead) {
        m_secondPrints = !m_secondPrints;
        return;
    }
    current().loadAddress(address);
}

void LookaheadBrowser::loadAhead(const QString &address)
{
    if (programEnding())
        return;
    // A page that can't be loaded ahead is loaded in its turn instead, which reports what is wrong
    // with it: nothing of it may cost the page being printed.
    try {
        spare().loadAddress(address);
        m_aheadAddress = address;
    } catch (const RuntimeError &) {
        m_aheadAddress.reset();
    }
}

bool LookaheadBrowser::loadComplete()
{
    return current().loadComplete();
}

BrowserControl::LoadOutcome LookaheadBrowser::loadOutcome() const
{
    return current().loadOutcome();
}

BrowserControl::Holding LookaheadBrowser::holding()
{
    return current().holding();
}

QString LookaheadBrowser::finishPage(const WaitRules &rules, QDeadlineTimer deadline)
{
    return current().finishPage(rules, deadline);
}

void LookaheadBrowser::setUpPage()
{
    m_setUp = true;
    forEachBrowser([&](WebBrowserControl &browser) { browser.setUpPage(); });
}

QByteArray LookaheadBrowser::renderForPrinting()
{
    return current().renderForPrinting();
}

Delivery LookaheadBrowser::handOver(const QByteArray &pdf, const ListPlace &place)
{
    return current().handOver(pdf, place);
}

void LookaheadBrowser::setDestination(std::shared_ptr<PageDestination> destination)
{
    m_destination = std::move(destination);
    forEachBrowser([&](WebBrowserControl &browser) { browser.setDestination(m_destination); });
}

void LookaheadBrowser::setJobPrinter(const QString &name)
{
    setDestination(std::make_shared<PrinterDestination>(m_printers, name));
}

void LookaheadBrowser::setPageSetup(const PageSetup &setup)
{
    m_setup = setup;
    m_setUp = false;
    forEachBrowser([&](WebBrowserControl &browser) { browser.setPageSetup(setup); });
}

void LookaheadBrowser::setRenderTimeLimit(std::chrono::milliseconds limit)
{
    m_renderTimeLimit = limit;
    forEachBrowser([&](WebBrowserControl &browser) { browser.setRenderTimeLimit(limit); });
}

void LookaheadBrowser::setLoginSource(LoginSource *source)
{
    m_loginSource = source;
    forEachBrowser([&](WebBrowserControl &browser) { browser.setLoginSource(source); });
}

void LookaheadBrowser::letGoOfPages()
{
    m_aheadAddress.reset();
    forEachBrowser([&](WebBrowserControl &browser) { browser.letGoOfPage(); });
}
