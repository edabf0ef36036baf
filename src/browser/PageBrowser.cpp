#include "browser/PageBrowser.h"

#include "browser/ElementWait.h"
#include "browser/LazyScripts.h"
#include "browser/PageReadying.h"
#include "browser/PageRendering.h"
#include "browser/QuietWebPage.h"
#include "browser/RequestWatch.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QPointer>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include <chrono>

namespace {
// What the browser can show. Anything else (script addresses, mail links, unknown schemes) would
// either run in the previous page or leave the browser where it was, and be printed as that.
bool isDisplayableScheme(const QString &scheme)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                     QStringLiteral("data"), QStringLiteral("about")};
    return schemes.contains(scheme);
}

// The empty document shows within milliseconds, unless the renderer is stuck in a script.
constexpr std::chrono::seconds kBlankLimit{2};
// A load the browser takes reports its start within milliseconds; one that has not after this
// long was refused (the browser says nothing when it refuses an address, such as one with a NUL).
constexpr std::chrono::seconds kLoadStartLimit{5};
// What the page shows between two addresses.
QUrl blankDocument()
{
    return QUrl(QStringLiteral("about:blank"));
}

// The browser takes addresses of up to 2 MiB and ignores longer ones without a word.
constexpr qsizetype kLongestAddress = qsizetype{2} * 1024 * 1024;
} // namespace

PageBrowser::PageBrowser(QWebEngineProfile *profile, LoginSource *logins, QWidget *parent)
    : QWebEngineView(parent), m_profile(profile ? *profile : *QWebEngineProfile::defaultProfile())
{
    setObjectName(QStringLiteral("WebBrowser1"));
    m_login.setSource(logins);
    connect(
        this, &PageBrowser::navigationMarker, this,
        [this](quint64 navigation) {
            if (navigation == m_navigations)
                m_markerArrived = true;
        },
        Qt::QueuedConnection);
    m_renderDelay.setSingleShot(true);
    connect(&m_renderDelay, &QTimer::timeout, this, &PageBrowser::startRenderingWhenReady);
}

void PageBrowser::showOutOfSight()
{
    // A browser never shown treats its page as hidden and loads it at half speed. Below the client
    // area of a window of fixed size it is shown but never seen; with no window, it is a window
    // that goes on no screen.
    if (QWidget *window = parentWidget())
        setGeometry(QRect(QPoint(0, window->height() + window->height() / 16), kViewSize));
    else
        setAttribute(Qt::WA_DontShowOnScreen);
    resize(kViewSize);
    show();
}

QWebEnginePage *PageBrowser::browserPage()
{
    // Made on first use: most windows never print, and the browser's engine starts with its page.
    if (!m_page) {
        m_page = new QuietWebPage(&m_profile, this);
        m_page->setAudioMuted(true);
        m_requests = new RequestWatch(m_page);
        m_page->setUrlRequestInterceptor(m_requests);
        connect(m_page, &QWebEnginePage::loadingChanged, this, &PageBrowser::loadingChanged);
        m_login.watch(*m_page, *this);
        connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] {
            m_rendererGone = true;
            if (m_rendering)
                m_rendering->rendererEnded();
        });
        m_rendererGone = false;
        // Before the page's own scripts, what could load late is noted: a page with nothing of
        // the kind is not scrolled through.
        QWebEngineScript lazyWatch;
        lazyWatch.setName(QStringLiteral("quillbrae-lazy-watch"));
        lazyWatch.setSourceCode(lazyWatchScript());
        lazyWatch.setInjectionPoint(QWebEngineScript::DocumentCreation);
        lazyWatch.setWorldId(QWebEngineScript::MainWorld);
        lazyWatch.setRunsOnSubFrames(false);
        m_page->scripts().insert(lazyWatch);
        setPage(m_page);
    }
    return m_page;
}

void PageBrowser::loadAddress(const QString &address, bool printBackgrounds)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    settleRendering();
    m_address = address;
    forgetReadying();
    // A renderer that has ended takes its page with it: the address loads in a fresh one.
    if (m_page && m_rendererGone)
        endRendererAndPage();
    leaveLastDocument();
    m_sinceLoad.start();
    m_times = PhaseTimes{};
    if (address.size() > kLongestAddress) {
        refuse();
        return;
    }
    // Given to the page before it loads, not as it prints: the renderer learns of a change some time
    // later, and a print asked for meanwhile would still have the browser's default, which prints
    // backgrounds.
    browserPage()->settings()->setAttribute(QWebEngineSettings::PrintElementBackgrounds, printBackgrounds);
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid() && isDisplayableScheme(url.scheme())) {
        m_beforeAddress = historyMark();
        m_loadStarted = false;
        beginNavigation(Navigation::Address)->load(url);
    } else {
        explain(QStringLiteral("is not a web address."));
    }
}

void PageBrowser::leaveLastDocument()
{
    if (!holdsDocument() || programEnding())
        return;
    // Whatever the document still loads (a refresh of itself, say) stops first, and is seen to: the
    // browser would report the empty document's load as part of that one.
    if (m_loadsUnderway > 0) {
        m_page->triggerAction(QWebEnginePage::Stop);
        sleepUntil([this] { return m_rendererGone || m_loadsUnderway == 0; },
                   QDeadlineTimer(kBlankLimit, Qt::PreciseTimer));
    }
    beginNavigation(Navigation::Blank)->load(blankDocument());
    // Over when the empty document's own load has ended: the end of another load doesn't tell.
    m_blankLoad = std::nullopt;
    sleepUntil([this] { return m_rendererGone || (m_blankLoad && loadsSettled()); },
               QDeadlineTimer(kBlankLimit, Qt::PreciseTimer));
    const bool left = !m_rendererGone && m_blankLoad == QWebEngineLoadingInfo::LoadSucceededStatus &&
                      m_page->history()->currentItem().url() == blankDocument();
    // A document that can't be left (a script that never ends, a load of its own that takes the
    // empty one's place) goes with its page and renderer.
    if (!left)
        endRendererAndPage();
}

bool PageBrowser::holdsDocument() const
{
    return m_page && (m_navigation == Navigation::Address || m_navigation == Navigation::Explanation);
}

PageBrowser::HistoryMark PageBrowser::historyMark()
{
    QWebEngineHistory *history = browserPage()->history();
    const QWebEngineHistoryItem current = history->currentItem();
    return {history->count(), history->currentItemIndex(), current.url(), current.lastVisited()};
}

bool PageBrowser::addressRefused() const
{
    if (m_navigation == Navigation::Refused)
        return true;
    return m_navigation == Navigation::Address && !m_loadStarted &&
           m_sinceLoad.elapsed() >= std::chrono::milliseconds(kLoadStartLimit).count();
}

Holding PageBrowser::holding()
{
    if (addressRefused())
        return Holding::Refused;
    switch (m_navigation) {
    case Navigation::Address:
        return m_page && historyMark() != m_beforeAddress ? Holding::Page : Holding::Nothing;
    case Navigation::Explanation:
        return Holding::Page;
    case Navigation::Blank:
    case Navigation::Refused:
        break;
    }
    return Holding::Nothing;
}

QWebEnginePage *PageBrowser::beginNavigation(Navigation kind)
{
    QWebEnginePage *page = browserPage();
    m_navigation = kind;
    const quint64 navigation = ++m_navigations;
    m_markerArrived = false;
    m_finishedSinceMarker = false;
    if (kind == Navigation::Address) {
        m_outcome = LoadOutcome{};
        m_login.newLoad();
    }
    emit navigationMarker(navigation);
    return page;
}

void PageBrowser::explain(const QString &reason)
{
    m_outcome = LoadOutcome{true, 0, reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason};
    beginNavigation(Navigation::Explanation)->setHtml(cannotShowPage(m_address, reason));
}

void PageBrowser::refuse()
{
    m_navigation = Navigation::Refused;
    ++m_navigations;
    m_outcome = LoadOutcome{true, 0, QStringLiteral("address refused")};
}

void PageBrowser::loadingChanged(const QWebEngineLoadingInfo &loading)
{
    if (loading.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        ++m_loadsUnderway;
        // The last document was left before the address was given: any load from now on is its.
        m_loadStarted = true;
        return;
    }
    m_loadsUnderway = std::max(0, m_loadsUnderway - 1);
    if (!m_markerArrived)
        return;
    m_finishedSinceMarker = true;
    if (m_navigation == Navigation::Blank && loading.url() == blankDocument())
        m_blankLoad = loading.status();
    if (m_navigation == Navigation::Address) {
        m_outcome = loadOutcomeOf(loading);
        // The site's refusal says less than why it came.
        if (m_outcome.failed && !m_login.refusal().isEmpty())
            m_outcome.error = m_login.refusal();
    }
    // A load that stopped without bringing a page (a file to download, say) leaves the page before
    // it in the browser; printing that again would be wrong, so the browser shows why instead. A
    // page that stopped its own loading is in the browser, and is printed as it stands.
    if (loading.status() == QWebEngineLoadingInfo::LoadStoppedStatus && m_navigation == Navigation::Address &&
        m_page->url() != loading.url())
        explain(QStringLiteral("did not give a page to show; it may be a file to download."));
    else if (m_navigation == Navigation::Address)
        startReadyingWhenLoaded();
}

bool PageBrowser::loadsSettled() const
{
    return m_markerArrived && m_finishedSinceMarker && m_loadsUnderway == 0;
}

bool PageBrowser::loadComplete()
{
    // Nothing more will come of a page whose renderer has ended, or of a refused address: waiting
    // for it is over.
    if (m_rendererGone || addressRefused())
        return true;
    const bool complete = loadsSettled();
    if (complete && m_times.loadNs < 0)
        m_times.loadNs = m_sinceLoad.nsecsElapsed();
    return complete;
}

void PageBrowser::readyWhenLoaded(const WaitRules &rules, QDeadlineTimer deadline)
{
    m_readyAsked = Readying{rules, deadline};
    startReadyingWhenLoaded();
}

void PageBrowser::startReadyingWhenLoaded()
{
    // Only a page whose load went well is readied: a failed one prints as it stands.
    if (!m_readyAsked || m_readying || !m_page || m_rendererGone || !loadsSettled() || m_outcome.failed ||
        holding() != Holding::Page)
        return;
    m_readying = new PageReadying(*m_page, *m_requests, m_readyAsked->rules, m_readyAsked->deadline, this);
    connect(m_readying, &PageReadying::finished, this, &PageBrowser::startRenderingWhenReady);
    // A page with nothing to wait for is ready at once.
    startRenderingWhenReady();
}

QString PageBrowser::finishPage(const WaitRules &rules, QDeadlineTimer deadline)
{
    if (!m_page || m_rendererGone || holding() != Holding::Page)
        return {};
    // A page readied ahead by other rules is readied again by these.
    if (m_readyAsked && !(m_readyAsked->rules == rules)) {
        settleRendering();
        forgetReadying();
    }
    if (!m_readying)
        readyWhenLoaded(rules, deadline);
    if (!m_readying)
        return {};
    sleepUntil([this] { return m_rendererGone || !m_readying || m_readying->done(); }, deadline);
    if (!m_readying)
        return {};
    m_times.finishNs = m_readying->tookNs();
    m_times.scrolled = m_readying->scrolled();
    return m_readying->notReady();
}

void PageBrowser::forgetReadying()
{
    delete m_readying;
    m_readying = nullptr;
    m_readyAsked.reset();
}

qint64 PageBrowser::readyForMs() const
{
    return m_readying ? m_readying->readyForMs() : 0;
}
