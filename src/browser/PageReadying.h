#pragma once

#include "browser/WaitRules.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWebEnginePage;
class RequestWatch;

// Readies a loaded page for print as the rules ask, on its own as events come, so that a page
// loaded ahead is made ready while another prints: brings in what it loads only as it comes into
// view, then waits for the element the rules name, then looks for the one it is to print alone.
// Nothing of it holds the program up; whoever needs the page ready waits for done().
//
// What may load late is looked for first (see lazyCandidatesScript): a page with none is not
// scrolled at all. One with some is scrolled through a screen a frame, and is ready once what the
// scroll set going has come: no picture laid out still loading, no request started and no
// response ended for a moment. Lazy content takes at most five seconds; everything ends by the
// deadline, with the page as it stands.
class PageReadying : public QObject
{
    Q_OBJECT

public:
    PageReadying(QWebEnginePage &page, const RequestWatch &requests, WaitRules rules, QDeadlineTimer deadline,
                 QObject *parent = nullptr);

    bool done() const { return m_step == Step::Done; }
    // Why the page is not ready ("selector not found", "selector not valid"), or nothing; while it
    // is still being readied, why it would not be were it left as it stands now.
    QString notReady() const;
    // How long ago it became ready, in milliseconds; 0 before.
    qint64 readyForMs() const { return done() ? m_readySince.elapsed() : 0; }
    // How long it took to be ready, in nanoseconds.
    qint64 tookNs() const { return m_took; }
    // Whether it scrolled through the page, having found something that may load late.
    bool scrolled() const { return m_scrolled; }

signals:
    void finished();

private:
    enum class Step { Looking, Scrolling, Settling, WaitingForElement, LookingForOnlyElement, Done };

    // Runs the script in the page and goes on with its answer, unless another step has begun meanwhile.
    void ask(const QString &script, quint32 world, const std::function<void(const QVariant &)> &then);
    void goTo(Step step);
    void lookForLazyContent();
    void settle();
    void lookForElement();
    void lookForOnlyElement();
    void finish(const QString &notReady);

    QPointer<QWebEnginePage> m_page;
    const RequestWatch &m_requests;
    WaitRules m_rules;
    QDeadlineTimer m_deadline;
    QDeadlineTimer m_lazyDeadline;
    Step m_step = Step::Looking;
    // Told to each script's answer: an answer to a step that is over is no answer.
    quint64 m_stepNumber = 0;
    QString m_notReady;
    QElapsedTimer m_started;
    QElapsedTimer m_readySince;
    qint64 m_took = 0;
    bool m_scrolled = false;
    QTimer m_next;
    QTimer m_bound;
};
