#include "browser/ElementWait.h"

#include "browser/PageScript.h"
#include "browser/QuietWebPage.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"

#include <QWebEngineProfile>

#include <chrono>

namespace {
using namespace std::chrono_literals;

// Often enough that a page is printed soon after its element comes; a test costs the page a
// fraction of a millisecond.
constexpr std::chrono::milliseconds kPollInterval = 100ms;
// An empty page loads and answers within milliseconds, once the browser has started.
constexpr std::chrono::seconds kBlankPageLimit{10};

// Answers 1 when an element matches, 0 when none does, -1 when the selector can't be read.
QString matchScript(const QString &selector)
{
    return QStringLiteral(R"((function (selector) {
  try { return document.querySelector(selector) ? 1 : 0; } catch (e) { return -1; }
})(%1))")
        .arg(scriptString(selector));
}
} // namespace

QString waitForElement(QWebEnginePage &page, const QString &selector, QDeadlineTimer deadline,
                       const std::function<bool()> &gone)
{
    for (;;) {
        const std::optional<QVariant> answer = scriptAnswer(page, matchScript(selector), deadline, gone);
        if (answer && answer->toInt() == 1)
            return {};
        if (answer && answer->toInt() == -1)
            return QStringLiteral("selector not valid");
        if (deadline.hasExpired() || gone() || programEnding())
            return QStringLiteral("selector not found");
        letEventsRunFor(kPollInterval, deadline);
    }
}

std::optional<bool> browserReadsSelector(const QString &selector)
{
    QuietWebPage page(QWebEngineProfile::defaultProfile());
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &page, [&loaded] { loaded = true; });
    page.load(QUrl(QStringLiteral("about:blank")));
    const QDeadlineTimer deadline(kBlankPageLimit, Qt::PreciseTimer);
    if (!sleepUntil([&] { return loaded; }, deadline))
        return std::nullopt;
    const std::optional<QVariant> answer = scriptAnswer(page, matchScript(selector), deadline, [] { return false; });
    if (!answer)
        return std::nullopt;
    return answer->toInt() != -1;
}
