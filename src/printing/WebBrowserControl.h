#pragma once

#include "printing/BrowserControl.h"
#include "printing/PageLogin.h"
#include "printing/PageSetup.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QSize>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include <chrono>
#include <memory>
#include <optional>

class LoginSource;
class PrinterSystem;
class QWebEnginePage;
class QuietWebPage;
class QWebEngineProfile;
class RequestWatch;

// The main window's embedded browser. Pages load in one page object, in the profile given (see
// BrowserProfile), or the browser's default one, which keeps nothing on disk. A site that asks for
// a login is answered from the login source, if the run has one (see PageLogin). Printing renders
// the loaded page to PDF and hands it to the run's destination: the chosen print queue, or PDF
// files.
//
// A page that hangs its renderer (a script that never ends), or whose renderer ends, is given up:
// its renderer is ended and the next address loads in a fresh page object with a fresh renderer,
// so one bad page costs that page and nothing after it.
//
// What is printed for an address is always that address's page. Before each address loads, the
// last one's document is left for an empty one, so that nothing it does later (a refresh, a
// change of its own location, a timer) can be taken for the next address's load; and an address
// of which nothing has come, or that the browser refused, prints nothing.
class WebBrowserControl : public QWebEngineView, public BrowserControl
{
    Q_OBJECT

public:
    // The size to give the browser, wherever it sits: a usual screen's. A page lays out and loads
    // as on a reader's screen: a screen's worth at a time of what loads as it comes into view, and
    // pictures chosen for that width, not for a sliver.
    static constexpr QSize kViewSize{1024, 768};

    explicit WebBrowserControl(PrinterSystem &printers, QWebEngineProfile *profile = nullptr,
                               QWidget *parent = nullptr);

    void loadAddress(const QString &address) override;
    bool loadComplete() override;
    LoadOutcome loadOutcome() const override { return m_outcome; }
    Holding holding() override;
    QString finishPage(const WaitRules &rules, QDeadlineTimer deadline) override;
    void setUpPage() override;
    QByteArray renderForPrinting() override;
    Delivery handOver(const QByteArray &pdf, const ListPlace &place) override;

    // Where the following prints go; at first, the default printer at the moment of each print.
    void setDestination(std::shared_ptr<PageDestination> destination) { m_destination = std::move(destination); }

    // Where the answers to a site's request for a login come from; none refuses every request.
    void setLoginSource(LoginSource *source) { m_login.setSource(source); }
    QWebEngineProfile &profile() const { return m_profile; }

    // How the following prints are laid out and what their jobs ask of the printer; taken at the
    // next page setup.
    void setPageSetup(const PageSetup &setup);

    // The longest wait for the browser to render a page for printing; the page is given up after
    // it. A run sets it to its bound on a page's load.
    void setRenderTimeLimit(std::chrono::milliseconds limit) { m_renderTimeLimit = limit; }

    // Lets go of the page and its renderer, as a run ends: whatever the last page's renderer does
    // afterwards (run out of memory, end) can't reach the window. The next address loads in a
    // fresh page.
    void letGoOfPage();

    // The text last given to loadAddress.
    QString navigatedAddress() const { return m_address; }
    // The layout that page setup chose for the following prints; none before the first page setup.
    std::optional<QPageLayout> sheetLayout() const { return m_sheetLayout; }

signals:
    // A page has been handed to the print server as job jobId of the named printer.
    void pagePrinted(int jobId, const QString &printer);
    // A page has been saved in the file, or is kept for it.
    void pageSaved(const QString &file);
    // Sent with pagePrinted: how the page's time split, in nanoseconds. Loading runs from loadAddress
    // until the load first said complete (-1 if it never did); finishing is the page's wait after
    // that, for its lazy content and its element (0 without one); rendering from the moment the
    // renderer is asked for the page (the check that it answers included) until the PDF was
    // there; the hand-over until the print server had accepted the job. For measuring where a
    // run's time goes; nothing in the program depends on it.
    void pagePhaseTimes(qint64 loadNs, qint64 finishNs, qint64 renderNs, qint64 handOverNs);
    // Sent to itself through the event queue, behind every load notification already waiting.
    void navigationMarker(quint64 navigation);

private:
    // What the browser is loading: the address given, a page of its own explaining why that
    // address cannot be shown, the empty document between two addresses, or nothing at all for an
    // address it refuses.
    enum class Navigation { Address, Explanation, Blank, Refused };
    // Which document the browser shows, as far as its history tells: one entry is told from another
    // by its place and by the moment it was shown.
    struct HistoryMark
    {
        int count = 0;
        int index = 0;
        QUrl url;
        QDateTime shown;
        bool operator==(const HistoryMark &other) const
        {
            return count == other.count && index == other.index && url == other.url && shown == other.shown;
        }
        bool operator!=(const HistoryMark &other) const { return !(*this == other); }
    };

    QWebEnginePage *browserPage();
    void applyBackgroundsSetting();
    QWebEnginePage *beginNavigation(Navigation kind);
    void explain(const QString &reason);
    void refuse();
    // Whether the page shows a document of the last address, to be left before the next loads.
    bool holdsDocument() const;
    // Replaces the last address's document with an empty one and waits until it is shown.
    void leaveLastDocument();
    bool loadsSettled() const;
    HistoryMark historyMark();
    bool addressRefused() const;
    void loadingChanged(const QWebEngineLoadingInfo &loading);
    // Sizes the page for the sheet as the page setup asks; false when the page's renderer does not
    // run the script that does it, being stuck or gone.
    bool fitToSheet(const QPageLayout &layout);
    // The page laid out in the layout, with the header and footer the page setup asks for.
    QByteArray renderSheets(const QPageLayout &layout);
    // Ends the page's renderer and lets go of the page; the next navigation makes a fresh one.
    [[noreturn]] void giveUpPage(const QString &reason);
    void endRendererAndPage();
    // Takes the page out of the view and deletes it.
    void deletePage();
    // A page whose renderer never answered a print can't be deleted: the browser would not survive
    // it. It is put out of the way for the rest of the program's life, which then ends quickly.
    void setPageAside();
    // Lets go of the page object; the next navigation makes a fresh one.
    void forgetPage();
    // The printer whose papers the sheets are laid out on; raises a printer RuntimeError where the
    // destination needs one and there is none.
    QString sheetPrinter() const { return m_destination->sheetPrinter(); }
    QString sheetPrinterOrNone() const;
    // The page as its destination names it, without its sheets.
    RenderedPage pageAsShown() const;
    QString jobTitle() const;

    PrinterSystem &m_printers;
    QWebEngineProfile &m_profile;
    QuietWebPage *m_page = nullptr;
    // The page's own, which goes with it.
    RequestWatch *m_requests = nullptr;
    PageLogin m_login;
    QString m_address;
    std::shared_ptr<PageDestination> m_destination;
    PageSetup m_setup;
    std::optional<QPageLayout> m_sheetLayout;
    // The title the document gives itself, as the page readied for printing told; empty without.
    QString m_documentTitle;
    bool m_printing = false;
    bool m_rendererGone = false;
    std::chrono::milliseconds m_renderTimeLimit;
    std::optional<QWebEngineLoadingInfo::LoadStatus> m_blankLoad;
    // The history as the empty document left it: any other entry has come from the address.
    HistoryMark m_beforeAddress;
    bool m_loadStarted = false;
    LoadOutcome m_outcome;
    QElapsedTimer m_sinceLoad;
    qint64 m_loadNs = -1;
    qint64 m_finishNs = 0;
    qint64 m_renderNs = 0;

    // Load notifications reach this object through the event queue, so one may still be on its way
    // from an earlier page when loadAddress is called, which therefore queues a marker behind
    // whatever is pending: only a load that finishes after the marker has come through counts.
    quint64 m_navigations = 0;
    Navigation m_navigation = Navigation::Address;
    bool m_markerArrived = false;
    bool m_finishedSinceMarker = false;
    int m_loadsUnderway = 0;
};
