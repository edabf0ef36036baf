#include "printing/WebBrowserControl.h"

#include "printers/PrinterSystem.h"
#include "printing/ElementWait.h"
#include "printing/HeaderFooter.h"
#include "printing/LazyContent.h"
#include "printing/PagePdf.h"
#include "printing/PagePrinter.h"
#include "printing/PageScript.h"
#include "printing/PdfSheets.h"
#include "printing/PrinterDestination.h"
#include "printing/QuietWebPage.h"
#include "printing/RequestWatch.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "runtime/ShownText.h"

#include <QPointer>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <chrono>
#include <csignal>

namespace {
// What the browser can show. Anything else (script addresses, mail links, unknown schemes) would
// either run in the previous page or leave the browser where it was, and be printed as that.
bool isDisplayableScheme(const QString &scheme)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                     QStringLiteral("data"), QStringLiteral("about")};
    return schemes.contains(scheme);
}

// A renderer that runs scripts answers a trivial one within milliseconds.
constexpr std::chrono::seconds kRendererAnswerLimit{2};
// After SIGKILL the browser learns of the renderer's end within milliseconds.
constexpr std::chrono::seconds kRendererEndLimit{5};
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

// Chromium's own number for an address whose host has no address.
constexpr int kNameNotResolved = -105;

WebBrowserControl::LoadOutcome loadOutcomeOf(const QWebEngineLoadingInfo &loading)
{
    if (loading.status() != QWebEngineLoadingInfo::LoadFailedStatus) {
        // The browser gives the server's status for a good load too, and makes up a "200" for
        // addresses that no server answered (a file, data).
        const QString scheme = loading.url().scheme();
        const bool fromServer = loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain &&
                                (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
        return {false, fromServer ? loading.errorCode() : 0, QString()};
    }
    if (loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        return {true, loading.errorCode(), QStringLiteral("HTTP %1").arg(loading.errorCode())};
    if (loading.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain || loading.errorCode() == kNameNotResolved)
        return {true, 0, QStringLiteral("host not found")};
    const QString why = loading.errorString();
    return {true, 0, why.isEmpty() ? QStringLiteral("the page did not load") : why};
}

// A script that sizes the page for a sheet printWidthPx CSS pixels wide: at the given scale, or
// with none (0) smaller, just enough for the widest content to fit (never larger). The page's own
// style is changed, as a browser's print zoom would; it is printed once and then left. Answers
// [1, the document's own title]: answering at all tells that the renderer still runs scripts, and
// the title is empty where the page has none (the browser's own title would then be the address,
// which can't be told from a title that happens to end it).
QString fitToSheetScript(qreal printWidthPx, double scale)
{
    return QStringLiteral(R"((function (printWidth, scale) {
  try {
    var root = document.documentElement;
    if (root && root.style && !(scale > 0)) {
      var own = root.getAttribute('style');
      root.style.setProperty('width', printWidth + 'px', 'important');
      var wide = Math.max(root.scrollWidth, document.body ? document.body.scrollWidth : 0);
      if (own === null) root.removeAttribute('style'); else root.setAttribute('style', own);
      scale = wide > printWidth ? printWidth / wide : 1;
    }
    if (root && root.style && scale !== 1) root.style.setProperty('zoom', String(scale), 'important');
  } catch (e) {}
  return [1, String(document.title)];
})(%1, %2))")
        .arg(printWidthPx)
        .arg(scale);
}

QString cannotShowPage(QString address, const QString &reason)
{
    // The browser shows no page of its own above 2 MB; a sheet holds far less anyway.
    constexpr qsizetype kLongestShown = 2000;
    if (address.size() > kLongestShown)
        address = address.left(kLongestShown) + QStringLiteral("…");
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body><h1>This page cannot be displayed</h1><p>%1 %2</p></body></html>")
        .arg(shownAddress(address).toHtmlEscaped(), reason);
}
} // namespace

WebBrowserControl::WebBrowserControl(PrinterSystem &printers, QWebEngineProfile *profile, QWidget *parent)
    : QWebEngineView(parent), m_printers(printers),
      m_profile(profile ? *profile : *QWebEngineProfile::defaultProfile()),
      m_destination(std::make_shared<PrinterDestination>(printers, QString())), m_renderTimeLimit(kReadinessTimeLimit)
{
    setObjectName(QStringLiteral("WebBrowser1"));
    connect(
        this, &WebBrowserControl::navigationMarker, this,
        [this](quint64 navigation) {
            if (navigation == m_navigations)
                m_markerArrived = true;
        },
        Qt::QueuedConnection);
}

QWebEnginePage *WebBrowserControl::browserPage()
{
    // Made on first use: most windows never print, and the browser's engine starts with its page.
    if (!m_page) {
        m_page = new QuietWebPage(&m_profile, this);
        m_page->setAudioMuted(true);
        m_requests = new RequestWatch(m_page);
        m_page->setUrlRequestInterceptor(m_requests);
        connect(m_page, &QWebEnginePage::loadingChanged, this, &WebBrowserControl::loadingChanged);
        m_login.watch(*m_page, *this);
        connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] { m_rendererGone = true; });
        m_rendererGone = false;
        applyBackgroundsSetting();
        setPage(m_page);
    }
    return m_page;
}

void WebBrowserControl::setPageSetup(const PageSetup &setup)
{
    m_setup = setup;
    if (m_page)
        applyBackgroundsSetting();
}

void WebBrowserControl::applyBackgroundsSetting()
{
    // Given to the page as soon as it is made, not as it prints: the renderer learns of a change
    // some time later, and a print asked for meanwhile would still have the browser's default,
    // which prints backgrounds.
    m_page->settings()->setAttribute(QWebEngineSettings::PrintElementBackgrounds, m_setup.backgrounds);
}

void WebBrowserControl::loadAddress(const QString &address)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    m_address = address;
    // A renderer that has ended takes its page with it: the address loads in a fresh one.
    if (m_page && m_rendererGone)
        endRendererAndPage();
    leaveLastDocument();
    m_sinceLoad.start();
    m_loadNs = -1;
    m_finishNs = 0;
    m_documentTitle.clear();
    if (address.size() > kLongestAddress) {
        refuse();
        return;
    }
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid() && isDisplayableScheme(url.scheme())) {
        m_beforeAddress = historyMark();
        m_loadStarted = false;
        beginNavigation(Navigation::Address)->load(url);
    } else {
        explain(QStringLiteral("is not a web address."));
    }
}

void WebBrowserControl::leaveLastDocument()
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

bool WebBrowserControl::holdsDocument() const
{
    return m_page && (m_navigation == Navigation::Address || m_navigation == Navigation::Explanation);
}

WebBrowserControl::HistoryMark WebBrowserControl::historyMark()
{
    QWebEngineHistory *history = browserPage()->history();
    const QWebEngineHistoryItem current = history->currentItem();
    return {history->count(), history->currentItemIndex(), current.url(), current.lastVisited()};
}

bool WebBrowserControl::addressRefused() const
{
    if (m_navigation == Navigation::Refused)
        return true;
    return m_navigation == Navigation::Address && !m_loadStarted &&
           m_sinceLoad.elapsed() >= std::chrono::milliseconds(kLoadStartLimit).count();
}

WebBrowserControl::Holding WebBrowserControl::holding()
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

QWebEnginePage *WebBrowserControl::beginNavigation(Navigation kind)
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

void WebBrowserControl::explain(const QString &reason)
{
    m_outcome = LoadOutcome{true, 0, reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason};
    beginNavigation(Navigation::Explanation)->setHtml(cannotShowPage(m_address, reason));
}

void WebBrowserControl::refuse()
{
    m_navigation = Navigation::Refused;
    ++m_navigations;
    m_outcome = LoadOutcome{true, 0, QStringLiteral("address refused")};
}

void WebBrowserControl::loadingChanged(const QWebEngineLoadingInfo &loading)
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
}

bool WebBrowserControl::loadsSettled() const
{
    return m_markerArrived && m_finishedSinceMarker && m_loadsUnderway == 0;
}

bool WebBrowserControl::loadComplete()
{
    // Nothing more will come of a page whose renderer has ended, or of a refused address: waiting
    // for it is over.
    if (m_rendererGone || addressRefused())
        return true;
    const bool complete = loadsSettled();
    if (complete && m_loadNs < 0)
        m_loadNs = m_sinceLoad.nsecsElapsed();
    return complete;
}

QString WebBrowserControl::finishPage(const WaitRules &rules, QDeadlineTimer deadline)
{
    if (!m_page || m_rendererGone || holding() != Holding::Page)
        return {};
    QElapsedTimer finishing;
    finishing.start();
    const auto gone = [this] { return m_rendererGone; };
    if (rules.lazyLoad)
        loadLazyContent(*m_page, *m_requests, deadline, gone);
    QString notReady;
    if (!rules.waitFor.isEmpty())
        notReady = waitForElement(*m_page, rules.waitFor, deadline, gone);
    m_finishNs = finishing.nsecsElapsed();
    return notReady;
}

void WebBrowserControl::setUpPage()
{
    m_sheetLayout = sheetLayoutFor(m_printers, sheetPrinterOrNone(), m_setup);
}

QString WebBrowserControl::sheetPrinterOrNone() const
{
    try {
        return sheetPrinter();
    } catch (const RuntimeError &) {
        return {};
    }
}

QByteArray WebBrowserControl::renderForPrinting()
{
    // The browser renders one document at a time, and a new page must not load while it does.
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    // Whatever the browser shows while nothing of the address has come is not its page.
    if (holding() != Holding::Page)
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The browser has no page of the address."));
    const QString printer = sheetPrinter();
    const QScopedValueRollback<bool> printing(m_printing, true);
    const QPageLayout layout = m_sheetLayout ? *m_sheetLayout : sheetLayoutFor(m_printers, printer, m_setup);
    QElapsedTimer rendering;
    rendering.start();
    // The browser cannot take back a print it has asked a renderer for: a renderer that never
    // answers it leaves the page unable to go away without bringing the whole program down. So
    // the renderer must show it is alive first; a stuck one (a script that never ends) or one
    // that has ended is given up, with its page, before any print is asked of it.
    if (m_rendererGone)
        giveUpPage(QStringLiteral("The page's renderer ended before the page could be printed."));
    // A page that loads itself again (a refresh, a script that moves it) would print blank were its
    // new document to come in the middle of the print: a load under way is waited for, and the
    // document then held until the print is over.
    if (m_loadsUnderway > 0)
        sleepUntil([this] { return m_rendererGone || m_loadsUnderway == 0; },
                   QDeadlineTimer(kBlankLimit, Qt::PreciseTimer));
    m_page->holdDocument(true);
    const auto letGo = qScopeGuard([page = QPointer<QuietWebPage>(m_page)] {
        if (page)
            page->holdDocument(false);
    });
    if (!fitToSheet(layout))
        giveUpPage(QStringLiteral("The page does not answer; it may run a script that never ends."));
    QByteArray pdf = renderSheets(layout);
    m_renderNs = rendering.nsecsElapsed();
    return pdf;
}

QByteArray WebBrowserControl::renderSheets(const QPageLayout &layout)
{
    QByteArray pdf = renderPageToPdf(*browserPage(), layout, m_renderTimeLimit, [this] { return m_rendererGone; });
    if (pdf.isEmpty()) {
        // The renderer stopped answering during the print itself (a script that never ends as the
        // page is readied for print), or the program is ending meanwhile.
        setPageAside();
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page could not be prepared for printing in time."));
    }
    if (m_setup.header.isEmpty() && m_setup.footer.isEmpty())
        return pdf;
    PdfSheets sheets(pdf);
    // The address as a reader can trust it on paper: no password, and no mark that reverses it.
    const SheetFields fields{jobTitle(), withControlsEscaped(m_page->url().toString(QUrl::RemovePassword)),
                             QDateTime::currentDateTime()};
    return sheets.overlaid(drawHeadersAndFooters(m_setup.header, m_setup.footer, fields, layout, sheets.count()));
}

Delivery WebBrowserControl::handOver(const QByteArray &pdf, const ListPlace &place)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    const QScopedValueRollback<bool> printing(m_printing, true);
    QElapsedTimer handOver;
    handOver.start();
    RenderedPage page = pageAsShown();
    page.pdf = pdf;
    page.place = place;
    page.jobOptions = m_setup.jobOptions();
    Delivery delivery = m_destination->deliver(page);
    const qint64 handOverNs = handOver.nsecsElapsed();
    if (delivery.job)
        emit pagePrinted(*delivery.job, delivery.printer);
    else
        emit pageSaved(delivery.file);
    emit pagePhaseTimes(m_loadNs, m_finishNs, m_renderNs, handOverNs);
    return delivery;
}

bool WebBrowserControl::fitToSheet(const QPageLayout &layout)
{
    if (m_rendererGone)
        return false;
    // CSS pixels are 96 to the inch, points 72.
    const qreal printWidthPx = layout.paintRectPoints().width() * 96.0 / 72.0;
    // In the page's own script world: the page's style is what it changes.
    const std::optional<QVariant> answer = scriptAnswer(
        *browserPage(), fitToSheetScript(printWidthPx, m_setup.scale.value_or(0)),
        QDeadlineTimer(kRendererAnswerLimit, Qt::PreciseTimer), [this] { return m_rendererGone; },
        QWebEngineScript::MainWorld);
    const QVariantList answered = answer.value_or(QVariant()).toList();
    if (answered.size() != 2 || answered.at(0).toInt() != 1)
        return false;
    m_documentTitle = answered.at(1).toString().trimmed();
    return true;
}

void WebBrowserControl::giveUpPage(const QString &reason)
{
    endRendererAndPage();
    throw RuntimeError(ErrorNumber::PrinterError, reason);
}

void WebBrowserControl::endRendererAndPage()
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

void WebBrowserControl::deletePage()
{
    QWebEnginePage *page = m_page;
    if (!page)
        return;
    forgetPage();
    // Out of the view first: a view that still shows a page as it goes would paint a dead one.
    setPage(nullptr);
    delete page;
}

void WebBrowserControl::setPageAside()
{
    if (!m_page)
        return;
    setPage(nullptr);
    m_page->setParent(nullptr);
    forgetPage();
    requireQuickExit();
}

void WebBrowserControl::letGoOfPage()
{
    if (m_printing)
        return;
    deletePage();
}

void WebBrowserControl::forgetPage()
{
    if (m_page)
        m_page->disconnect(this);
    m_page = nullptr;
    m_requests = nullptr;
    m_rendererGone = false;
    // The loads it had under way will never report their end: the next page starts from none.
    m_loadsUnderway = 0;
}

RenderedPage WebBrowserControl::pageAsShown() const
{
    RenderedPage page;
    page.address = m_address;
    page.shownUrl = m_page ? m_page->url().adjusted(QUrl::StripTrailingSlash) : QUrl();
    page.ownTitle = m_documentTitle;
    return page;
}

QString WebBrowserControl::jobTitle() const
{
    return pageAsShown().titleOrAddress();
}
