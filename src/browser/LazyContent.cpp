#include "browser/LazyContent.h"

#include "browser/PageScript.h"
#include "browser/RequestWatch.h"
#include "runtime/ProgramLifetime.h"

#include <QElapsedTimer>
#include <QVariantList>
#include <QWebEnginePage>

#include <chrono>

namespace {
using namespace std::chrono_literals;

// The most a page's lazy content may add to its wait.
constexpr std::chrono::seconds kLongestWait{5};
// Once the scroll has set loads going, the network counts as quiet after this long without a
// request starting or a response ending.
constexpr std::chrono::milliseconds kQuietTime = 500ms;
// A scroll that has set no load going after this long has brought nothing in: loaders that wait
// for the scrolling to stop before they look have looked by then.
constexpr std::chrono::milliseconds kSettleTime = 150ms;
// How often the page is asked how far it has got.
constexpr std::chrono::milliseconds kPollInterval = 25ms;
// A page whose frames don't come (its renderer busy) still moves on after this long a step.
constexpr int kFrameWaitMs = 250;

// How far a page may grow while it is scrolled through, in screens beyond its height when the
// scroll began: a feed that adds more whenever its end comes into view would otherwise print a
// ream. A page that is long from the start is scrolled through whole.
constexpr int kMostScreensOfGrowth = 10;

// Starts the scroll through the page, in the script world of its own, and answers at once. Each
// step waits for the next frame and moves a viewport down at its start: that frame draws the new
// position and reports what came into view, and the page's handlers of that report have run by
// the next. The page may grow as it goes; the scroll ends at its end, where it can go no further,
// at the growth allowed, or when stopped.
QString startScrollScript()
{
    return QStringLiteral(R"((function (frameWaitMs, mostScreensOfGrowth) {
  var state = { done: false, stop: false };
  window.quillbraeScroll = state;
  function nextFrame() {
    return new Promise(function (resolve) {
      requestAnimationFrame(function () { resolve(); });
      setTimeout(resolve, frameWaitMs);
    });
  }
  (async function () {
    try {
      var y = 0;
      var start = document.scrollingElement || document.documentElement;
      var deepest = (start ? start.scrollHeight : 0) + mostScreensOfGrowth * Math.max(window.innerHeight, 1);
      for (;;) {
        await nextFrame();
        var root = document.scrollingElement || document.documentElement;
        if (state.stop || !root) break;
        var bottom = Math.min(root.scrollHeight, deepest) - window.innerHeight;
        if (y >= bottom) break;
        y = Math.min(y + Math.max(window.innerHeight, 1), bottom);
        window.scrollTo({ left: 0, top: y, behavior: 'instant' });
        if (window.scrollY < y - 1) break;
      }
    } catch (e) {}
    state.done = true;
  })();
  return 1;
})(%1, %2))")
        .arg(kFrameWaitMs)
        .arg(kMostScreensOfGrowth);
}

QString scrollDoneScript()
{
    return QStringLiteral("!window.quillbraeScroll || window.quillbraeScroll.done");
}

// Answers how many pictures laid out in the page are still loading, and how long ago, in
// milliseconds, the last of its resources ended.
QString networkScript()
{
    return QStringLiteral(R"((function () {
  var loading = 0;
  for (var i = 0; i < document.images.length; ++i) {
    var image = document.images[i];
    if (!image.complete && image.getClientRects().length > 0) ++loading;
  }
  var lastEnd = 0;
  var resources = performance.getEntriesByType('resource');
  for (var j = 0; j < resources.length; ++j) lastEnd = Math.max(lastEnd, resources[j].responseEnd);
  return [loading, performance.now() - lastEnd];
})())");
}

QString stopAndGoToTopScript()
{
    return QStringLiteral("if (window.quillbraeScroll) window.quillbraeScroll.stop = true;"
                          "window.scrollTo({ left: 0, top: 0, behavior: 'instant' }); 1");
}

std::chrono::milliseconds sinceStart(const QElapsedTimer &timer)
{
    return std::chrono::milliseconds(timer.elapsed());
}

// No source tells alone whether the page's network is quiet: the request watch knows when the
// page last asked for anything but not when an answer came; the page's resource timings know when
// the last response ended but not what is still under way; and a picture laid out in the page
// that is not complete is one on its way. So the page counts as quiet when no laid-out picture is
// loading and either the scroll has set no request going for kSettleTime since it ended (it
// brought nothing in: the page's own load was waited for before), or no request has started and no
// response ended for kQuietTime. A script's fetch that takes longer than kQuietTime is not waited
// for, nor is what the page does by itself that the scroll did not set going.
bool networkQuiet(QWebEnginePage &page, const RequestWatch &requests, const QElapsedTimer &sinceScrollStart,
                  const QElapsedTimer &sinceScrollEnd, QDeadlineTimer deadline, const std::function<bool()> &gone)
{
    const bool scrollLoadedNothing = requests.sinceLastRequest() > sinceStart(sinceScrollStart);
    if (scrollLoadedNothing ? sinceStart(sinceScrollEnd) < kSettleTime : requests.sinceLastRequest() < kQuietTime)
        return false;
    const QVariantList answer = scriptAnswer(page, networkScript(), deadline, gone).value_or(QVariant()).toList();
    if (answer.size() != 2 || answer[0].toInt() != 0)
        return false;
    return scrollLoadedNothing || answer[1].toDouble() >= double(kQuietTime.count());
}

// Asks until the answer holds, every kPollInterval; false when the deadline came first, the page's
// renderer ended or the program is ending.
bool pollUntil(const std::function<bool()> &holds, QDeadlineTimer deadline, const std::function<bool()> &gone)
{
    for (;;) {
        if (holds())
            return true;
        if (deadline.hasExpired() || gone() || programEnding())
            return false;
        letEventsRunFor(kPollInterval, deadline);
    }
}
} // namespace

void loadLazyContent(QWebEnginePage &page, const RequestWatch &requests, QDeadlineTimer deadline,
                     const std::function<bool()> &gone)
{
    deadline = std::min(deadline, QDeadlineTimer(kLongestWait, Qt::PreciseTimer));
    QElapsedTimer sinceScrollStart;
    sinceScrollStart.start();
    if (!scriptAnswer(page, startScrollScript(), deadline, gone))
        return;
    pollUntil([&] { return scriptAnswer(page, scrollDoneScript(), deadline, gone).value_or(false).toBool(); }, deadline,
              gone);
    QElapsedTimer sinceScrollEnd;
    sinceScrollEnd.start();
    pollUntil([&] { return networkQuiet(page, requests, sinceScrollStart, sinceScrollEnd, deadline, gone); }, deadline,
              gone);
    // Back where a reader starts, and the scroll stopped should it still run; not waited for, so
    // that a page out of time costs no more.
    if (!gone())
        page.runJavaScript(stopAndGoToTopScript(), QWebEngineScript::ApplicationWorld);
}
