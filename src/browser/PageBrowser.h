#pragma once

#include "browser/LoadOutcome.h"
#include "browser/PageLogin.h"
#include "browser/PhaseTimes.h"
#include "browser/SheetRequest.h"
#include "browser/WaitRules.h"
#include "sheets/RenderedPage.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QSize>
#include <QTimer>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

#include <chrono>
#include <optional>

class LoginSource;
class PageReadying;
class PageRendering;
class QWebEnginePage;
class QWebEngineProfile;
class QuietWebPage;
class RequestWatch;

// A browser that loads a page, readies it for print and renders it; nothing else. Pages load in
// one page object, in the profile given (see BrowserProfile), or the browser's default one, which
// keeps nothing on disk; a site that asks for a login is answered from the login source given (see
// PageLogin). Where the rendered page goes, and what is laid on its sheets, is the run's.
//
// A page that hangs its renderer (a script that never ends), or whose renderer ends, is given up:
// its renderer is ended and the next address loads in a fresh page object with a fresh renderer,
// so one bad page costs that page and nothing after it.
//
// What is rendered for an address is always that address's page. Before each address loads, the
// last one's document is left for an empty one, so that nothing it does later (a refresh, a
// change of its own location, a timer) can be taken for the next address's load; and an address
// of which nothing has come, or that the browser refused, renders nothing.
class PageBrowser : public QWebEngineView
{
    Q_OBJECT

public:
    // The size to give the browser, wherever it sits: a usual screen's. A page lays out and loads
    // as on a reader's screen: a screen's worth at a time of what loads as it comes into view, and
    // pictures chosen for that width, not for a sliver. A page rendered for print is laid out as
    // wide as its sheets first, and the browser keeps that width (see PageRendering): the pages it
    // loads next lay out as they will print.
    static constexpr QSize kViewSize{1024, 768};

    // With no login source, every site's request for a login is refused.
    explicit PageBrowser(QWebEngineProfile *profile = nullptr, LoginSource *logins = nullptr,
                         QWidget *parent = nullptr);

    // Shows the browser out of sight, at kViewSize: below its window's client area, or with no
    // window, on no screen. A browser never shown treats its page as hidden and slows it down.
    void showOutOfSight();

    // Starts loading the address as a user would have typed it into an address bar; the page prints
    // its backgrounds or leaves them out.
    void loadAddress(const QString &address, bool printBackgrounds);
    // Whether the last load has ended, with the page or with an error page.
    bool loadComplete();
    LoadOutcome loadOutcome() const { return m_outcome; }
    Holding holding();
    // Readies the page, as soon as its load has gone well, as the rules ask, by the deadline (see
    // PageReadying): a page loaded ahead is made ready while another prints.
    void readyWhenLoaded(const WaitRules &rules, QDeadlineTimer deadline);
    // Readies a page whose load went well as the rules ask, or waits for the readying asked for
    // before: brings in what it loads only as it scrolls into view, then waits for the element the
    // rules name. Waits nowhere past the deadline. Gives why the page is not ready ("selector not
    // found", "selector not valid"), or nothing. Raises nothing: whatever goes wrong leaves the
    // page as it stands, to be printed.
    QString finishPage(const WaitRules &rules, QDeadlineTimer deadline);
    // How long ago the page became ready, in milliseconds; 0 when it is not.
    qint64 readyForMs() const;
    // Renders the page on the sheets asked for, cleared as the rules ask (see PageRendering), as soon
    // as it has been readied by the same rules and has waited out their delay: a page loaded ahead
    // is rendered while another prints.
    void renderWhenReady(const SheetRequest &sheets, const WaitRules &rules);
    // The page, cleared as the rules ask (see PageClutter), rendered on the sheets asked for: at the
    // scale given, or with none made smaller where it is wider than the paper; the rendering asked
    // for before, when it was asked for the same. Raises a printer RuntimeError when the page can't
    // be rendered (no page of the address, a renderer stuck or gone: the page is then given up), or
    // not within the time limit.
    RenderedPage render(const SheetRequest &sheets, const WaitRules &rules = WaitRules());

    // Lets go of the page and its renderer, as a run ends: whatever the last page's renderer does
    // afterwards (run out of memory, end) can't reach the window. The next address loads in a
    // fresh page.
    void letGoOfPage();

    QWebEngineProfile &profile() const { return m_profile; }
    // The text last given to loadAddress.
    QString navigatedAddress() const { return m_address; }

    // How the last page's time split.
    PhaseTimes phaseTimes() const { return m_times; }

signals:
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
    void startReadyingWhenLoaded();
    void forgetReadying();
    void startRenderingWhenReady();
    void startRendering(const SheetRequest &sheets, const WaitRules &rules);
    // Waits for a rendering under way to end, and lets go of it; a page whose renderer never
    // answered its print is set aside.
    void settleRendering();
    void forgetRendering();

    QWebEngineProfile &m_profile;
    QuietWebPage *m_page = nullptr;
    // The page's own, which goes with it.
    RequestWatch *m_requests = nullptr;
    PageLogin m_login;
    QString m_address;
    bool m_printing = false;
    bool m_rendererGone = false;
    std::optional<QWebEngineLoadingInfo::LoadStatus> m_blankLoad;
    // The history as the empty document left it: any other entry has come from the address.
    HistoryMark m_beforeAddress;
    bool m_loadStarted = false;
    LoadOutcome m_outcome;
    QElapsedTimer m_sinceLoad;
    PhaseTimes m_times;
    // The readying asked for the page, and the one under way or done.
    struct Readying
    {
        WaitRules rules;
        QDeadlineTimer deadline;
    };
    std::optional<Readying> m_readyAsked;
    PageReadying *m_readying = nullptr;
    // The rendering asked for the page once it is ready, and the one under way or done.
    struct Rendering
    {
        SheetRequest sheets;
        WaitRules rules;
    };
    std::optional<Rendering> m_renderAsked;
    PageRendering *m_rendering = nullptr;
    // The rest of the delay after the page became ready, before it renders.
    QTimer m_renderDelay;

    // Load notifications reach this object through the event queue, so one may still be on its way
    // from an earlier page when loadAddress is called, which therefore queues a marker behind
    // whatever is pending: only a load that finishes after the marker has come through counts.
    quint64 m_navigations = 0;
    Navigation m_navigation = Navigation::Address;
    bool m_markerArrived = false;
    bool m_finishedSinceMarker = false;
    int m_loadsUnderway = 0;
};
