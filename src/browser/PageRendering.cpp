#include "browser/PageRendering.h"

#include "browser/PageClutter.h"
#include "browser/PageFit.h"
#include "browser/PageScript.h"
#include "browser/QuietWebPage.h"

#include <QRectF>
#include <QVariant>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <algorithm>
#include <chrono>

namespace {
using namespace std::chrono_literals;

// A renderer that runs scripts answers a trivial one within milliseconds.
constexpr std::chrono::milliseconds kRendererAnswerLimit = 2s;
// A load the page started itself (a refresh, a script that moves it) would have the print come out
// blank were its new document to arrive in the middle: it is given this long to end first.
constexpr std::chrono::milliseconds kOwnLoadLimit = 2s;
constexpr std::chrono::milliseconds kOwnLoadPoll = 10ms;
// Sites lay out for screens no narrower than a small phone's: a narrower sheet (a label, say) is
// laid out on the screen as that.
constexpr int kNarrowestView = 320;

// CSS pixels are 96 to the inch, points 72.
double printWidthPx(const SheetRequest &sheets)
{
    return sheets.layout.paintRectPoints().width() * 96.0 / 72.0;
}
} // namespace

PageRendering::PageRendering(QuietWebPage &page, SheetRequest sheets, WaitRules rules,
                             std::function<bool()> loadsUnderway, QObject *parent)
    : QObject(parent), m_page(&page), m_sheets(std::move(sheets)), m_rules(std::move(rules)),
      m_loadsUnderway(std::move(loadsUnderway))
{
    m_started.start();
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, this, [this] {
        switch (m_step) {
        case Step::WaitingForLoad:
            return layOutAtSheetWidth();
        case Step::Sizing:
            // A renderer that answers but keeps its width is cleared as it stands.
            return m_widthAnswered ? clear() : finish(Failure::NoAnswer);
        case Step::Clearing:
        case Step::Fitting:
            return finish(Failure::NoAnswer);
        case Step::Printing:
            return finish(Failure::PrintTooLate);
        case Step::Done:
            break;
        }
    });
    m_poll.setInterval(kOwnLoadPoll);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (!m_loadsUnderway())
            layOutAtSheetWidth();
    });
    if (!m_loadsUnderway()) {
        layOutAtSheetWidth();
        return;
    }
    goTo(Step::WaitingForLoad, kOwnLoadLimit);
    m_poll.start();
}

PageRendering::~PageRendering()
{
    if (m_page && !done())
        m_page->holdDocument(false);
}

void PageRendering::goTo(Step step, std::chrono::milliseconds bound)
{
    m_step = step;
    ++m_stepNumber;
    m_poll.stop();
    m_bound.start(bound);
}

void PageRendering::ask(const QString &script, quint32 world, const std::function<void(const QVariant &)> &then)
{
    if (!m_page)
        return finish(Failure::RendererEnded);
    const quint64 step = m_stepNumber;
    askPage(
        *m_page, script, world, this, [this, step] { return m_stepNumber == step && !done(); }, then);
}

void PageRendering::layOutAtSheetWidth()
{
    if (!m_page)
        return finish(Failure::RendererEnded);
    const int width = std::max(kNarrowestView, static_cast<int>(printWidthPx(m_sheets)));
    const QWebEngineView *view = QWebEngineView::forPage(m_page);
    if (!view || view->width() == width)
        return clear();
    goTo(Step::Sizing, kRendererAnswerLimit);
    // The renderer takes a new width some time after the view has it: the page's own width tells
    // when. It is compared with the width before rather than with this one, which a screen's
    // scale can make differ.
    ask(QStringLiteral("window.innerWidth"), QWebEngineScript::ApplicationWorld, [this, width](const QVariant &before) {
        m_widthAnswered = true;
        QWebEngineView *shown = QWebEngineView::forPage(m_page);
        if (!shown)
            return clear();
        shown->resize(width, shown->height());
        awaitWidthChange(before.toInt());
    });
}

void PageRendering::awaitWidthChange(int widthBefore)
{
    ask(QStringLiteral("window.innerWidth"), QWebEngineScript::ApplicationWorld,
        [this, widthBefore](const QVariant &now) {
            if (now.toInt() == widthBefore)
                return awaitWidthChange(widthBefore);
            clear();
        });
}

void PageRendering::clear()
{
    if (!m_page)
        return finish(Failure::RendererEnded);
    // Held until the print is over: a document of its own loaded meanwhile would print blank.
    m_page->holdDocument(true);
    const std::optional<QString> script = pageClearingScript(m_rules);
    if (!script)
        return fit();
    goTo(Step::Clearing, kRendererAnswerLimit);
    ask(*script, QWebEngineScript::ApplicationWorld, [this](const QVariant &leftOff) {
        m_rendered.leftOff = leftOff.toInt();
        fit();
    });
}

void PageRendering::fit()
{
    goTo(Step::Fitting, kRendererAnswerLimit);
    ask(sheetFitScript(printWidthPx(m_sheets), m_sheets.scale), QWebEngineScript::MainWorld,
        [this](const QVariant &answer) {
            const std::optional<QString> title = fittedPageTitle(answer);
            if (!title)
                return finish(Failure::NoAnswer);
            m_rendered.ownTitle = *title;
            print();
        });
}

void PageRendering::print()
{
    if (!m_page)
        return finish(Failure::RendererEnded);
    goTo(Step::Printing, m_sheets.timeLimit);
    m_printAsked = true;
    m_page->printToPdf(
        [self = QPointer<PageRendering>(this)](const QByteArray &pdf) {
            if (!self)
                return;
            self->m_printAnswered = true;
            if (self->m_step != Step::Printing)
                return;
            if (pdf.isEmpty())
                return self->finish(Failure::PrintFailed);
            self->m_rendered.pdf = pdf;
            if (self->m_page)
                self->m_rendered.shownUrl = self->m_page->url().adjusted(QUrl::StripTrailingSlash);
            self->finish(Failure::None);
        },
        m_sheets.layout);
}

void PageRendering::rendererEnded()
{
    if (done())
        return;
    // Once the browser knows that the renderer has ended, it has tidied up the print asked of it:
    // the page may go.
    if (m_printAsked) {
        m_printAnswered = true;
        return finish(Failure::RendererEndedPrinting);
    }
    finish(Failure::RendererEnded);
}

void PageRendering::finish(Failure failure)
{
    if (done())
        return;
    m_failure = failure;
    m_step = Step::Done;
    ++m_stepNumber;
    m_poll.stop();
    m_bound.stop();
    m_took = m_started.nsecsElapsed();
    if (m_page)
        m_page->holdDocument(false);
    emit finished();
}
