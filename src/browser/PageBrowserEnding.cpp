// How a page goes away: let go of, given up with its renderer, or set aside when it cannot be.
#include "browser/PageBrowser.h"

#include "browser/QuietWebPage.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QPointer>

#include <chrono>
#include <csignal>

namespace {
// After SIGKILL the browser learns of the renderer's end within milliseconds.
constexpr std::chrono::seconds kRendererEndLimit{5};
} // namespace

void PageBrowser::giveUpPage(const QString &reason)
{
    endRendererAndPage();
    throw RuntimeError(ErrorNumber::PrinterError, reason);
}

void PageBrowser::endRendererAndPage()
{
    if (!m_page)
        return;
    QPointer<QWebEnginePage> page = m_page;
    // The browser tidies up a renderer's pending work (a print, a script) when it learns that the
    // renderer has ended; the page is let go of only after that.
    // That wait is made also when the program is ending, when the program's own waits no longer
    // wait: this is the very moment the page would otherwise be torn down in the middle of it.
    const qint64 pid = page->renderProcessPid();
    if (pid > 0 && !m_rendererGone && ::kill(static_cast<pid_t>(pid), SIGKILL) == 0)
        sleepUntil([this] { return m_rendererGone; }, QDeadlineTimer(kRendererEndLimit, Qt::PreciseTimer),
                   WhileEnding::KeepWaiting);
    deletePage();
}

void PageBrowser::deletePage()
{
    QWebEnginePage *page = m_page;
    if (!page)
        return;
    forgetPage();
    // Out of the view first: a view that still shows a page as it goes would paint a dead one.
    setPage(nullptr);
    delete page;
}

void PageBrowser::setPageAside()
{
    if (!m_page)
        return;
    setPage(nullptr);
    m_page->setParent(nullptr);
    forgetPage();
    requireQuickExit();
}

void PageBrowser::letGoOfPage()
{
    if (m_printing)
        return;
    settleRendering();
    deletePage();
}

void PageBrowser::forgetPage()
{
    forgetRendering();
    forgetReadying();
    if (m_page)
        m_page->disconnect(this);
    m_page = nullptr;
    m_requests = nullptr;
    m_rendererGone = false;
    // The loads it had under way will never report their end: the next page starts from none.
    m_loadsUnderway = 0;
}
