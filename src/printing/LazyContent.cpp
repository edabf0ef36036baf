#include "printing/LazyContent.h"

#include "printing/PageScript.h"
#include "printing/RequestWatch.h"
#include "runtime/ProgramLifetime.h"

#include <QVariantList>
#include <QWebEnginePage>

#include <chrono>

namespace {
using namespace std::chrono_literals;

// The most a page's lazy content may add to its wait.
constexpr std::chrono::seconds kLongestWait{5};
// The network counts as quiet after this long without a request starting or a response ending.
constexpr std::chrono::milliseconds kQuietTime = 500ms;
// How often the page is asked how far it has got.
constexpr std::chrono::milliseconds kPollInterval = 50ms;
// A page whose frames don't come (its renderer busy) still moves on after this long a step.
constexpr int kFrameWaitMs = 250;

// Starts the scroll through the page, in the script world of its own, and answers at once. Each
// step moves a viewport down and waits for two frames: the first draws the new position and
// reports what came into view, the second lets the page's handlers of that report run. The page
// may grow as it goes; the scroll ends at its end, where it can go no further, or when stopped.
QString startScrollScript()
{
    return QStringLiteral(R"((function (frameWaitMs) {
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
      for (;;) {
        await nextFrame();
        await nextFrame();
        var root = document.scrollingElement || document.documentElement;
        if (state.stop || !root) break;
        var bottom = root.scrollHeight - window.innerHeight;
        if (y >= bottom) break;
        y = Math.min(y + Math.max(window.innerHeight, 1), bottom);
        window.scrollTo({ left: 0, top: y, behavior: 'instant' });
        if (window.scrollY < y - 1) break;
      }
    } catch (e) {}
    state.done = true;
  })();
  return 1;
})(%1))")
        .arg(kFrameWaitMs);
}

QString scrollDoneScript()
{
    return QStringLiteral("!window.quillbraeScroll || window.quillbraeScroll.done");
}

// Whether the network has gone quiet is told from three sources, since none tells it alone: the
// request watch knows when the page last asked for anything but not when an answer came; the
// page's resource timings know when the last response ended but not what is still under way; and
// a picture in the page that is not complete is one still on its way. So the page counts as quiet
// once no request has started and no response ended for kQuietTime, and every picture that is
// laid out is complete. A script's fetch that takes longer than kQuietTime is not waited for.
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

bool networkQuiet(QWebEnginePage &page, const RequestWatch &requests, QDeadlineTimer deadline,
                  const std::function<bool()> &gone)
{
    if (requests.sinceLastRequest() < kQuietTime)
        return false;
    const QVariantList answer = scriptAnswer(page, networkScript(), deadline, gone).value_or(QVariant()).toList();
    return answer.size() == 2 && answer[0].toInt() == 0 && answer[1].toDouble() >= double(kQuietTime.count());
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
    if (!scriptAnswer(page, startScrollScript(), deadline, gone))
        return;
    pollUntil([&] { return scriptAnswer(page, scrollDoneScript(), deadline, gone).value_or(false).toBool(); }, deadline,
              gone);
    pollUntil([&] { return networkQuiet(page, requests, deadline, gone); }, deadline, gone);
    // Back where a reader starts, and the scroll stopped should it still run; not waited for, so
    // that a page out of time costs no more.
    if (!gone())
        page.runJavaScript(stopAndGoToTopScript(), QWebEngineScript::ApplicationWorld);
}
