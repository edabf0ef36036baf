#pragma once

#include "browser/SheetRequest.h"
#include "browser/WaitRules.h"
#include "sheets/RenderedPage.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QVariant;
class QuietWebPage;

// Renders a readied page for print on its own as events come, so that a page loaded ahead is
// rendered while the one before it is still printing: waits for a load the page started itself,
// lays it out as wide as the sheet, holds its document, clears it as the rules ask (see
// PageClutter), sizes it for the sheet (see PageFit) and prints it to PDF. Nothing of it holds the
// program up; whoever needs the page waits for done(). Every step is bounded: a renderer that does
// not answer ends the rendering with failure() telling why, and the page is then the browser's to
// give up.
class PageRendering : public QObject
{
    Q_OBJECT

public:
    enum class Failure {
        None,
        // The renderer did not answer a script: stuck in one of the page's own.
        NoAnswer,
        // The renderer ended before the print was asked of it.
        RendererEnded,
        // The renderer ended while it printed.
        RendererEndedPrinting,
        // The print did not come in time; the renderer may still answer it.
        PrintTooLate,
        // The renderer answered the print with nothing.
        PrintFailed,
    };

    // loadsUnderway tells whether the page is loading a document of its own. The page's view keeps
    // the sheet's width afterwards, so that the pages it loads next lay out as they will print.
    PageRendering(QuietWebPage &page, SheetRequest sheets, WaitRules rules, std::function<bool()> loadsUnderway,
                  QObject *parent = nullptr);
    ~PageRendering() override;
    PageRendering(const PageRendering &) = delete;
    PageRendering &operator=(const PageRendering &) = delete;

    bool renders(const SheetRequest &sheets, const WaitRules &rules) const
    {
        return m_sheets == sheets && m_rules == rules;
    }
    bool done() const { return m_step == Step::Done; }
    Failure failure() const { return m_failure; }
    // Whether a print was asked of the renderer that it has not answered: the page can't go away
    // until it has, without bringing the browser down.
    bool printUnanswered() const { return m_printAsked && !m_printAnswered; }
    // The page rendered, once done without failure: its PDF, own title, shown address and what was
    // left off it.
    RenderedPage takePage() { return std::move(m_rendered); }
    // How long it took, in nanoseconds.
    qint64 tookNs() const { return m_took; }

    // Told by the browser when the page's renderer has ended.
    void rendererEnded();

signals:
    void finished();

private:
    enum class Step { WaitingForLoad, Sizing, Clearing, Fitting, Printing, Done };

    void goTo(Step step, std::chrono::milliseconds bound);
    // Runs the script in the page and goes on with its answer, unless the step is over meanwhile.
    void ask(const QString &script, quint32 world, const std::function<void(const QVariant &)> &then);
    // Lays the page out on the screen as wide as on the sheet, so that what clearing finds and
    // what the fit measures is what prints: a site's narrow layout pins bars of its own, which
    // would print on every sheet, and a screen wider than the sheet reads as a page too wide.
    void layOutAtSheetWidth();
    void awaitWidthChange(int widthBefore);
    void clear();
    void fit();
    void print();
    void finish(Failure failure);

    QPointer<QuietWebPage> m_page;
    SheetRequest m_sheets;
    WaitRules m_rules;
    std::function<bool()> m_loadsUnderway;
    // Whether the renderer answered while the page was laid out anew.
    bool m_widthAnswered = false;
    Step m_step = Step::WaitingForLoad;
    // Told to each answer: an answer to a step that is over is no answer.
    quint64 m_stepNumber = 0;
    Failure m_failure = Failure::None;
    bool m_printAsked = false;
    bool m_printAnswered = false;
    RenderedPage m_rendered;
    QElapsedTimer m_started;
    qint64 m_took = 0;
    QTimer m_poll;
    QTimer m_bound;
};
