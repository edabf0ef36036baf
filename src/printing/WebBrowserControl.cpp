#include "printing/WebBrowserControl.h"

#include "printers/PrinterSystem.h"
#include "printing/CupsPdfJob.h"
#include "printing/DefaultPageLayout.h"
#include "printing/PagePdf.h"
#include "printing/QuietWebPage.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QScopedValueRollback>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {
// What the browser can show. Anything else (script addresses, mail links, unknown schemes) would
// either run in the previous page or leave the browser where it was, and be printed as that.
bool isDisplayableScheme(const QString &scheme)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                     QStringLiteral("data"), QStringLiteral("about")};
    return schemes.contains(scheme);
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
        setPage(m_page);
    }
    return m_page;
}

void WebBrowserControl::Navigate(const QString &address)
{
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    m_address = address;
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
    emit navigationMarker(navigation);
    return page;
}

void WebBrowserControl::explain(const QString &reason)
{
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
    return m_markerArrived && m_finishedSinceMarker && m_loadsUnderway == 0 ? kReadyStateComplete : kReadyStateLoading;
}

void WebBrowserControl::ExecWB(int command, int option)
{
    if (option != kOptionDontPromptUser)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    switch (command) {
    case kCommandPageSetup:
        m_pageSetup = defaultPageLayout(defaultPrinterOrNone());
        return;
    case kCommandPrint:
        print();
        return;
    default:
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    }
}

QString WebBrowserControl::defaultPrinterOrNone() const
{
    try {
        return m_printers.defaultPrinterName();
    } catch (const RuntimeError &) {
        return {};
    }
}

void WebBrowserControl::print()
{
    // The browser renders one document at a time, and a new page must not load while it does.
    if (m_printing)
        throw RuntimeError(ErrorNumber::MethodFailed, QStringLiteral("The browser is still printing."));
    const QScopedValueRollback<bool> printing(m_printing, true);
    const QString printer = m_printers.defaultPrinterName();
    const QPageLayout layout = m_pageSetup ? *m_pageSetup : defaultPageLayout(printer);
    const QByteArray pdf = renderPageToPdf(*browserPage(), layout);
    if (programEnding())
        return;
    const int job = submitPdfJob(printer, jobTitle(), pdf);
    emit pagePrinted(job, printer);
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
