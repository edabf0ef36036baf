// How a page is rendered for print: as soon as it is ready, or when its turn comes.
#include "browser/PageBrowser.h"

#include "browser/PageReadying.h"
#include "browser/PageRendering.h"
#include "browser/QuietWebPage.h"
#include "runtime/EventSleep.h"
#include "runtime/RuntimeError.h"

#include <QScopedValueRollback>

#include <chrono>

void PageBrowser::renderWhenReady(const SheetRequest &sheets, const WaitRules &rules)
{
    if (m_rendering || m_printing)
        return;
    m_renderAsked = Rendering{sheets, rules};
    startRenderingWhenReady();
}

void PageBrowser::startRenderingWhenReady()
{
    // Only a page readied by the same rules, and found ready, renders before its turn; any other
    // renders in its turn, which tells what became of it.
    if (!m_renderAsked || m_rendering || m_printing || !m_page || m_rendererGone || !m_readying ||
        !m_readying->done() || !m_readying->notReady().isEmpty() || !m_readyAsked ||
        !(m_readyAsked->rules == m_renderAsked->rules) || holding() != Holding::Page)
        return;
    const auto delay = std::chrono::milliseconds(static_cast<qint64>(m_renderAsked->rules.delaySeconds * 1000.0));
    const auto waited = std::chrono::milliseconds(m_readying->readyForMs());
    if (waited < delay) {
        m_renderDelay.start(delay - waited);
        return;
    }
    startRendering(m_renderAsked->sheets, m_renderAsked->rules);
}

void PageBrowser::startRendering(const SheetRequest &sheets, const WaitRules &rules)
{
    m_rendering = new PageRendering(
        *m_page, sheets, rules, [this] { return m_loadsUnderway > 0; }, this);
}

void PageBrowser::settleRendering()
{
    m_renderDelay.stop();
    if (m_rendering) {
        // Every step of a rendering is bounded, the print by its time limit.
        sleepUntil([this] { return !m_rendering || m_rendering->done(); }, QDeadlineTimer(QDeadlineTimer::Forever));
        if (m_rendering && m_rendering->printUnanswered())
            setPageAside();
    }
    forgetRendering();
}

void PageBrowser::forgetRendering()
{
    m_renderDelay.stop();
    delete m_rendering;
    m_rendering = nullptr;
    m_renderAsked.reset();
}

RenderedPage PageBrowser::render(const SheetRequest &sheets, const WaitRules &rules)
{
    // The browser renders one document at a time, and a new page must not load while it does.
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    // Whatever the browser shows while nothing of the address has come is not its page.
    if (holding() != Holding::Page)
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The browser has no page of the address."));
    const QScopedValueRollback<bool> printing(m_printing, true);
    // A page rendered ahead for other sheets or rules is rendered again.
    if (m_rendering && !m_rendering->renders(sheets, rules))
        settleRendering();
    // The browser cannot take back a print it has asked a renderer for: a renderer that never
    // answers it leaves the page unable to go away without bringing the whole program down. So
    // the renderer must show it is alive first; a stuck one (a script that never ends) or one
    // that has ended is given up, with its page, before any print is asked of it.
    const QString rendererEnded = QStringLiteral("The page's renderer ended before the page could be printed.");
    if (!m_rendering) {
        if (!m_page || m_rendererGone)
            giveUpPage(rendererEnded);
        startRendering(sheets, rules);
    }
    const QPointer<PageRendering> rendering = m_rendering;
    sleepUntil([&] { return !rendering || rendering->done(); }, QDeadlineTimer(QDeadlineTimer::Forever));
    // A wait cut short by the program's end counts as the step it ended in.
    PageRendering::Failure failure = PageRendering::Failure::NoAnswer;
    if (rendering && rendering->done())
        failure = rendering->failure();
    else if (rendering && rendering->printUnanswered())
        failure = PageRendering::Failure::PrintTooLate;
    switch (failure) {
    case PageRendering::Failure::None:
        break;
    case PageRendering::Failure::NoAnswer:
        giveUpPage(QStringLiteral("The page does not answer; it may run a script that never ends."));
    case PageRendering::Failure::RendererEnded:
        giveUpPage(rendererEnded);
    case PageRendering::Failure::RendererEndedPrinting:
        forgetRendering();
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page's renderer ended before the page was prepared for printing."));
    case PageRendering::Failure::PrintTooLate:
        // The renderer stopped answering during the print itself (a script that never ends as the
        // page is readied for print), or the program is ending meanwhile.
        setPageAside();
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page could not be prepared for printing in time."));
    case PageRendering::Failure::PrintFailed:
        forgetRendering();
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page could not be prepared for printing."));
    }
    RenderedPage page = rendering->takePage();
    page.address = m_address;
    m_times.renderNs = rendering->tookNs();
    forgetRendering();
    return page;
}
