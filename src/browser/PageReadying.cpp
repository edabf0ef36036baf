#include "browser/PageReadying.h"

#include "browser/ElementWait.h"
#include "browser/LazyScripts.h"
#include "browser/PageScript.h"
#include "browser/RequestWatch.h"

#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <algorithm>
#include <chrono>

namespace {
using namespace std::chrono_literals;

// The most a page's lazy content may add to its wait.
constexpr std::chrono::seconds kLongestLazyWait{5};
// Once the scroll is over, what it set going has come when nothing has started or ended for this
// long: a picture that is loading is one laid out and not complete, which is asked separately.
constexpr std::chrono::milliseconds kQuietTime = 100ms;
// How often the page is asked how far it has got.
constexpr std::chrono::milliseconds kPollInterval = 25ms;
// Often enough that a page is printed soon after its element comes; a test costs the page a
// fraction of a millisecond.
constexpr std::chrono::milliseconds kElementPollInterval = 100ms;
} // namespace

PageReadying::PageReadying(QWebEnginePage &page, const RequestWatch &requests, WaitRules rules, QDeadlineTimer deadline,
                           QObject *parent)
    : QObject(parent), m_page(&page), m_requests(requests), m_rules(std::move(rules)), m_deadline(deadline),
      m_lazyDeadline(std::min(deadline, QDeadlineTimer(kLongestLazyWait, Qt::PreciseTimer)))
{
    m_started.start();
    m_next.setSingleShot(true);
    m_bound.setSingleShot(true);
    // A page that does not answer (a script that never ends) is left as it stands by its bounds.
    connect(&m_bound, &QTimer::timeout, this, [this] {
        if (m_step != Step::WaitingForElement && !m_deadline.hasExpired())
            return lookForElement();
        finish(m_rules.waitFor.isEmpty() ? QString() : QStringLiteral("selector not found"));
    });
    m_bound.start(std::chrono::milliseconds(std::max<qint64>(m_lazyDeadline.remainingTime(), 0)));
    if (m_rules.lazyLoad)
        lookForLazyContent();
    else
        lookForElement();
}

void PageReadying::goTo(Step step)
{
    m_step = step;
    ++m_stepNumber;
    m_next.stop();
    m_next.disconnect();
}

void PageReadying::ask(const QString &script, quint32 world, const std::function<void(const QVariant &)> &then)
{
    if (!m_page)
        return finish({});
    const quint64 step = m_stepNumber;
    askPage(
        *m_page, script, world, this, [this, step] { return m_stepNumber == step && !done(); }, then);
}

void PageReadying::lookForLazyContent()
{
    goTo(Step::Looking);
    ask(lazyCandidatesScript(), QWebEngineScript::MainWorld, [this](const QVariant &answer) {
        if (answer.toInt() != 1)
            return lookForElement();
        goTo(Step::Scrolling);
        m_scrolled = true;
        ask(startScrollScript(), QWebEngineScript::ApplicationWorld, [this](const QVariant &) { settle(); });
    });
}

void PageReadying::settle()
{
    if (m_step != Step::Settling)
        goTo(Step::Settling);
    if (m_lazyDeadline.hasExpired())
        return lookForElement();
    ask(lazyProgressScript(), QWebEngineScript::ApplicationWorld, [this](const QVariant &answer) {
        const QVariantList progress = answer.toList();
        const bool quiet = progress.size() == 3 && progress[0].toInt() == 1 && progress[1].toInt() == 0 &&
                           progress[2].toDouble() >= double(kQuietTime.count()) &&
                           m_requests.sinceLastRequest() >= kQuietTime;
        if (quiet)
            return lookForElement();
        m_next.disconnect();
        connect(&m_next, &QTimer::timeout, this, [this] { settle(); });
        m_next.start(kPollInterval);
    });
}

void PageReadying::lookForElement()
{
    const bool wasLazy = m_step == Step::Scrolling || m_step == Step::Settling;
    if (m_step != Step::WaitingForElement)
        goTo(Step::WaitingForElement);
    // Back where a reader starts, and the scroll stopped should it still run; not waited for, so
    // that a page out of time costs no more.
    if (wasLazy && m_page)
        m_page->runJavaScript(stopAndGoToTopScript(), QWebEngineScript::ApplicationWorld);
    if (m_rules.waitFor.isEmpty())
        return lookForOnlyElement();
    if (m_bound.remainingTime() < m_deadline.remainingTime())
        m_bound.start(std::chrono::milliseconds(std::max<qint64>(m_deadline.remainingTime(), 0)));
    ask(elementMatchScript(m_rules.waitFor), QWebEngineScript::ApplicationWorld, [this](const QVariant &answer) {
        if (answer.toInt() == 1)
            return lookForOnlyElement();
        if (answer.toInt() == -1)
            return finish(QStringLiteral("selector not valid"));
        m_next.disconnect();
        connect(&m_next, &QTimer::timeout, this, [this] { lookForElement(); });
        m_next.start(kElementPollInterval);
    });
}

void PageReadying::lookForOnlyElement()
{
    if (m_rules.onlyElement.isEmpty())
        return finish({});
    // Looked for once, on the page as it is ready: an element that comes late is what waiting for
    // an element is for.
    goTo(Step::LookingForOnlyElement);
    ask(elementMatchScript(m_rules.onlyElement), QWebEngineScript::ApplicationWorld, [this](const QVariant &answer) {
        if (answer.toInt() == 1)
            return finish({});
        finish(answer.toInt() == -1 ? QStringLiteral("selector not valid") : QStringLiteral("selector not found"));
    });
}

QString PageReadying::notReady() const
{
    if (!done() && !m_rules.waitFor.isEmpty())
        return QStringLiteral("selector not found");
    return m_notReady;
}

void PageReadying::finish(const QString &notReady)
{
    if (done())
        return;
    goTo(Step::Done);
    m_bound.stop();
    m_notReady = notReady;
    m_took = m_started.nsecsElapsed();
    m_readySince.start();
    emit finished();
}
