#include "printing/WebBrowserControl.h"

#include "printers/PrinterSystem.h"
#include "printing/PagePdf.h"
#include "printing/QuietWebPage.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QPointer>
#include <QScopedValueRollback>
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

// Chromium's own number for an address whose host has no address.
constexpr int kNameNotResolved = -105;

WebBrowserControl::LoadOutcome loadOutcomeOf(const QWebEngineLoadingInfo &loading)
{
    if (loading.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return {};
    if (loading.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
        return {true, loading.errorCode(), QStringLiteral("HTTP %1").arg(loading.errorCode())};
    if (loading.errorDomain() == QWebEngineLoadingInfo::DnsErrorDomain || loading.errorCode() == kNameNotResolved)
        return {true, 0, QStringLiteral("host not found")};
    const QString why = loading.errorString();
    return {true, 0, why.isEmpty() ? QStringLiteral("the page did not load") : why};
}

QString cannotShowPage(const QString &address, const QString &reason)
{
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                          "<body><h1>This page cannot be displayed</h1><p>%1 %2</p></body></html>")
        .arg(address.toHtmlEscaped(), reason);
}
} // namespace

WebBrowserControl::WebBrowserControl(PrinterSystem &printers, QWidget *parent)
    : QWebEngineView(parent), m_printers(printers)
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
        m_page = new QuietWebPage(QWebEngineProfile::defaultProfile(), this);
        m_page->setAudioMuted(true);
        // Printed the way browsers print by default: without background colours and pictures.
        m_page->settings()->setAttribute(QWebEngineSettings::PrintElementBackgrounds, false);
        connect(m_page, &QWebEnginePage::loadingChanged, this, &WebBrowserControl::loadingChanged);
        connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] { m_rendererGone = true; });
        m_rendererGone = false;
        setPage(m_page);
    }
    return m_page;
}

void WebBrowserControl::Navigate(const QString &address)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    m_address = address;
    m_sinceNavigate.start();
    m_loadNs = -1;
    // A renderer that has ended takes its page with it: the address loads in a fresh one.
    if (m_page && m_rendererGone)
        endRendererAndPage();
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid() && isDisplayableScheme(url.scheme()))
        beginNavigation(Navigation::Address)->load(url);
    else
        explain(QStringLiteral("is not a web address."));
}

QWebEnginePage *WebBrowserControl::beginNavigation(Navigation kind)
{
    QWebEnginePage *page = browserPage();
    m_navigation = kind;
    const quint64 navigation = ++m_navigations;
    m_markerArrived = false;
    m_finishedSinceMarker = false;
    if (kind == Navigation::Address)
        m_outcome = LoadOutcome{};
    emit navigationMarker(navigation);
    return page;
}

void WebBrowserControl::explain(const QString &reason)
{
    m_outcome = LoadOutcome{true, 0, reason.endsWith(QLatin1Char('.')) ? reason.chopped(1) : reason};
    beginNavigation(Navigation::Explanation)->setHtml(cannotShowPage(m_address, reason));
}

void WebBrowserControl::loadingChanged(const QWebEngineLoadingInfo &loading)
{
    if (loading.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        ++m_loadsUnderway;
        return;
    }
    m_loadsUnderway = std::max(0, m_loadsUnderway - 1);
    if (!m_markerArrived)
        return;
    m_finishedSinceMarker = true;
    if (m_navigation == Navigation::Address)
        m_outcome = loadOutcomeOf(loading);
    // A load that stopped without bringing a page (a file to download, say) leaves the page before
    // it in the browser; printing that again would be wrong, so the browser shows why instead. A
    // page that stopped its own loading is in the browser, and is printed as it stands.
    if (loading.status() == QWebEngineLoadingInfo::LoadStoppedStatus && m_navigation == Navigation::Address &&
        m_page->url() != loading.url())
        explain(QStringLiteral("did not give a page to show; it may be a file to download."));
}

int WebBrowserControl::ReadyState()
{
    if (m_navigations == 0)
        return kReadyStateUninitialized;
    // Nothing more will come of a page whose renderer has ended: waiting for it is over.
    if (m_rendererGone)
        return kReadyStateComplete;
    const bool complete = m_markerArrived && m_finishedSinceMarker && m_loadsUnderway == 0;
    if (complete && m_loadNs < 0)
        m_loadNs = m_sinceNavigate.nsecsElapsed();
    return complete ? kReadyStateComplete : kReadyStateLoading;
}

void WebBrowserControl::ExecWB(int command, int option)
{
    if (option != kOptionDontPromptUser)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    switch (command) {
    case kCommandPageSetup:
        m_pageSetup = m_printers.defaultPageLayout(targetPrinterOrNone());
        return;
    case kCommandPrint:
        print();
        return;
    default:
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    }
}

QString WebBrowserControl::targetPrinterOrNone() const
{
    if (!m_jobPrinter.isEmpty())
        return m_jobPrinter;
    try {
        return m_printers.defaultPrinterName();
    } catch (const RuntimeError &) {
        return {};
    }
}

void WebBrowserControl::print()
{
    const QString printer = targetPrinter();
    const QByteArray pdf = renderForPrinting(printer);
    if (programEnding())
        return;
    submitRendered(printer, pdf);
}

QString WebBrowserControl::targetPrinter() const
{
    return m_jobPrinter.isEmpty() ? m_printers.defaultPrinterName() : m_jobPrinter;
}

QByteArray WebBrowserControl::renderForPrinting(const QString &printer)
{
    // The browser renders one document at a time, and a new page must not load while it does.
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    const QScopedValueRollback<bool> printing(m_printing, true);
    const QPageLayout layout = m_pageSetup ? *m_pageSetup : m_printers.defaultPageLayout(printer);
    QElapsedTimer rendering;
    rendering.start();
    // The browser cannot take back a print it has asked a renderer for: a renderer that never
    // answers it leaves the page unable to go away without bringing the whole program down. So
    // the renderer must show it is alive first; a stuck one (a script that never ends) or one
    // that has ended is given up, with its page, before any print is asked of it.
    if (m_rendererGone)
        giveUpPage(QStringLiteral("The page's renderer ended before the page could be printed."));
    if (!rendererAnswers())
        giveUpPage(QStringLiteral("The page does not answer; it may run a script that never ends."));
    QByteArray pdf = renderPageToPdf(*browserPage(), layout, [this] { return m_rendererGone; });
    if (pdf.isEmpty()) {
        // The renderer stopped answering during the print itself. Its page stays as it is, out of
        // sight, and the next address loads in a fresh one; the program ends without tearing the
        // browser down, which that page would not survive.
        setPage(nullptr);
        m_page->setParent(nullptr);
        forgetPage();
        requireQuickExit();
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("The page could not be prepared for printing in time."));
    }
    m_renderNs = rendering.nsecsElapsed();
    return pdf;
}

int WebBrowserControl::submitRendered(const QString &printer, const QByteArray &pdf)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    const QScopedValueRollback<bool> printing(m_printing, true);
    QElapsedTimer handOver;
    handOver.start();
    const int job = m_printers.submitPdfJob(printer, jobTitle(), pdf);
    const qint64 handOverNs = handOver.nsecsElapsed();
    emit pagePrinted(job, printer);
    emit pagePhaseTimes(m_loadNs, m_renderNs, handOverNs);
    return job;
}

bool WebBrowserControl::rendererAnswers()
{
    if (m_rendererGone)
        return false;
    // The answer lands in a shared slot: it may come after this has stopped waiting for it.
    const auto answered = std::make_shared<bool>(false);
    // The answer is also called, empty, when the renderer ends: only the script's result counts.
    browserPage()->runJavaScript(QStringLiteral("1"),
                                 [answered](const QVariant &result) { *answered = result.toInt() == 1; });
    return sleepUntil([&] { return *answered || m_rendererGone; },
                      QDeadlineTimer(kRendererAnswerLimit, Qt::PreciseTimer)) &&
           *answered;
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
    forgetPage();
    if (page)
        page->deleteLater();
}

void WebBrowserControl::forgetPage()
{
    if (m_page)
        m_page->disconnect(this);
    m_page = nullptr;
    m_rendererGone = false;
    // The loads it had under way will never report their end: the next page starts from none.
    m_loadsUnderway = 0;
}

QString WebBrowserControl::jobTitle() const
{
    // A page without a title of its own is shown under its address; the job then carries the
    // address as the user wrote it.
    QString title = m_page ? m_page->title().trimmed() : QString();
    const QString shownUrl = m_page ? m_page->url().toString(QUrl::StripTrailingSlash) : QString();
    if (title.isEmpty() || shownUrl.endsWith(title))
        return m_address.isEmpty() ? shownUrl : m_address;
    return title;
}
