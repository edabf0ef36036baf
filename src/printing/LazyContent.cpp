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

// Starts the scroll through the page, in the script world of its own, unless the document has one
// already, and answers how far it has got, all in milliseconds of the page's clock: since the
// scroll started; since it ended (-1 while it runs); then how many pictures laid out in the page
// are still loading, and since when the last of its resources ended.
//
// Each step waits for the next frame and moves a viewport down at its start: that frame draws the
// new position and reports what came into view, and the page's handlers of that report have run by
// the next. The page may grow as it goes; the scroll ends at its end, where it can go no further,
// when stopped, or after the longest wait, for a page loaded ahead that nobody waits for yet.
QString scrollScript()
{
    return QStringLiteral(R"((function (frameWaitMs, longestMs) {
  var state = window.quillbraeScroll;
  if (!state) {
    state = { started: performance.now(), ended: -1, stop: false };
    window.quillbraeScroll = state;
    var nextFrame = function () {
      return new Promise(function (resolve) {
        requestAnimationFrame(function () { resolve(); });
        setTimeout(resolve, frameWaitMs);
      });
    };
    (async function () {
      try {
        var y = 0;
        for (;;) {
          await nextFrame();
          var root = document.scrollingElement || document.documentElement;
          if (state.stop || !root || performance.now() - state.started > longestMs) break;
          var bottom = root.scrollHeight - window.innerHeight;
          if (y >= bottom) break;
          y = Math.min(y + Math.max(window.innerHeight, 1), bottom);
          window.scrollTo({ left: 0, top: y, behavior: 'instant' });
          if (window.scrollY < y - 1) break;
        }
      } catch (e) {}
      state.ended = performance.now();
    })();
  }
  var loading = 0;
  for (var i = 0; i < document.images.length; ++i) {
    var image = document.images[i];
    if (!image.complete && image.getClientRects().length > 0) ++loading;
  }
  var lastEnd = 0;
  var resources = performance.getEntriesByType('resource');
  for (var j = 0; j < resources.length; ++j) lastEnd = Math.max(lastEnd, resources[j].responseEnd);
  var now = performance.now();
  return [now - state.started, state.ended < 0 ? -1 : now - state.ended, loading, now - lastEnd];
})(%1, %2))")
        .arg(kFrameWaitMs)
        .arg(std::chrono::milliseconds(kLongestWait).count());
}

QString stopAndGoToTopScript()
{
    return QStringLiteral("if (window.quillbraeScroll) window.quillbraeScroll.stop = true;"
                          "window.scrollTo({ left: 0, top: 0, behavior: 'instant' }); 1");
}

// How far the scroll through a page has got, as its script answers.
struct ScrollProgress
{
    std::chrono::milliseconds sinceStart{0};
    // None while the scroll runs.
    std::optional<std::chrono::milliseconds> sinceEnd;
    int picturesLoading = 0;
    std::chrono::milliseconds sinceLastResponse{0};
};

std::optional<ScrollProgress> scrollProgress(QWebEnginePage &page, QDeadlineTimer deadline,
                                             const std::function<bool()> &gone)
{
    const QVariantList answer = scriptAnswer(page, scrollScript(), deadline, gone).value_or(QVariant()).toList();
    if (answer.size() != 4)
        return std::nullopt;
    const auto ms = [&](int index) { return std::chrono::milliseconds(qint64(answer[index].toDouble())); };
    ScrollProgress progress{ms(0), std::nullopt, answer[2].toInt(), ms(3)};
    if (answer[1].toDouble() >= 0)
        progress.sinceEnd = ms(1);
    return progress;
}

// No source tells alone whether the page's network is quiet: the request watch knows when the
// page last asked for anything but not when an answer came; the page's resource timings know when
// the last response ended but not what is still under way; and a picture laid out in the page
// that is not complete is one on its way. So the page counts as quiet when no laid-out picture is
// loading and either the scroll has set no request going for kSettleTime since it ended (it
// brought nothing in: the page's own load was waited for before), or no request has started and no
// response ended for kQuietTime. A script's fetch that takes longer than kQuietTime is not waited
// for, nor is what the page does by itself that the scroll did not set going.
//
// The scroll's times are the page's, measured when it answered, a moment before the request
// watch is asked: a request in that moment after the scroll started counts as before it, which
// is harmless, as the scroll first moves a frame after it starts.
bool networkQuiet(const ScrollProgress &progress, const RequestWatch &requests)
{
    if (!progress.sinceEnd || progress.picturesLoading > 0)
        return false;
    const std::chrono::milliseconds sinceLastRequest = requests.sinceLastRequest();
    if (sinceLastRequest > progress.sinceStart)
        return *progress.sinceEnd >= kSettleTime;
    return sinceLastRequest >= kQuietTime && progress.sinceLastResponse >= kQuietTime;
}
} // namespace

void startLazyScroll(QWebEnginePage &page)
{
    page.runJavaScript(scrollScript(), QWebEngineScript::ApplicationWorld);
}

void loadLazyContent(QWebEnginePage &page, const RequestWatch &requests, QDeadlineTimer deadline,
                     const std::function<bool()> &gone)
{
    deadline = std::min(deadline, QDeadlineTimer(kLongestWait, Qt::PreciseTimer));
    for (;;) {
        const std::optional<ScrollProgress> progress = scrollProgress(page, deadline, gone);
        if ((progress && networkQuiet(*progress, requests)) || deadline.hasExpired() || gone() || programEnding())
            break;
        letEventsRunFor(kPollInterval, deadline);
    }
    // Back where a reader starts, and the scroll stopped should it still run; not waited for, so
    // that a page out of time costs no more.
    if (!gone())
        page.runJavaScript(stopAndGoToTopScript(), QWebEngineScript::ApplicationWorld);
}
