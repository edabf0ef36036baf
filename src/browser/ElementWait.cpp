#include "browser/ElementWait.h"

#include "browser/PageScript.h"
#include "browser/QuietWebPage.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"

#include <QWebEngineProfile>

#include <chrono>

namespace {
using namespace std::chrono_literals;

// An empty page loads and answers within milliseconds, once the browser has started.
constexpr std::chrono::seconds kBlankPageLimit{10};

} // namespace

QString elementMatchScript(const QString &selector)
{
    return QStringLiteral(R"((function (selector) {
  try { return document.querySelector(selector) ? 1 : 0; } catch (e) { return -1; }
})(%1))")
        .arg(scriptString(selector));
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
    const std::optional<QVariant> answer =
        scriptAnswer(page, elementMatchScript(selector), deadline, [] { return false; });
    if (!answer)
        return std::nullopt;
    return answer->toInt() != -1;
}
