#include "browser/LazyScripts.h"

namespace {
// How far a page may grow while it is scrolled through, in screens beyond its height when the
// scroll began.
constexpr int kMostScreensOfGrowth = 10;
// A page whose frames don't come (its renderer busy) still moves on after this long a step.
constexpr int kFrameWaitMs = 250;
} // namespace

QString lazyWatchScript()
{
    // The notes live under a name no page uses, out of enumeration; the page's own functions keep
    // working as they did, only counted.
    return QStringLiteral(R"((function () {
  if (window.__quillbraeLazy) return;
  var notes = { observed: 0, scrolling: 0 };
  try { Object.defineProperty(window, '__quillbraeLazy', { value: notes }); } catch (e) { return; }
  try {
    var observe = IntersectionObserver.prototype.observe;
    IntersectionObserver.prototype.observe = function () {
      notes.observed++;
      return observe.apply(this, arguments);
    };
  } catch (e) {}
  try {
    var add = EventTarget.prototype.addEventListener;
    EventTarget.prototype.addEventListener = function (type) {
      if (type === 'scroll') notes.scrolling++;
      return add.apply(this, arguments);
    };
  } catch (e) {}
})())");
}

QString lazyCandidatesScript()
{
    return QStringLiteral(R"((function () {
  var notes = window.__quillbraeLazy;
  if (!notes) return 1;
  if (notes.observed > 0 || notes.scrolling > 0) return 1;
  if (window.onscroll || document.onscroll || (document.body && document.body.onscroll)) return 1;
  return document.querySelector('img[data-src], img[data-srcset], img[data-lazy], img[data-original],' +
      ' iframe[data-src], source[data-srcset], [class*="lazy"]') ? 1 : 0;
})())");
}

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
      // A frame at the top first: an observer looks at what it observes only as a frame is drawn,
      // and a page readied as soon as it has loaded may not have drawn one yet. Scrolled away before
      // that, what sits at the top would never be seen in view, and never loaded.
      await nextFrame();
      await nextFrame();
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
      // One frame more: what the last position brought into view has been reported by then.
      await nextFrame();
    } catch (e) {}
    state.done = true;
  })();
  return 1;
})(%1, %2))")
        .arg(kFrameWaitMs)
        .arg(kMostScreensOfGrowth);
}

QString lazyProgressScript()
{
    return QStringLiteral(R"((function () {
  var scrolled = !window.quillbraeScroll || window.quillbraeScroll.done;
  var loading = 0;
  for (var i = 0; i < document.images.length; ++i) {
    var image = document.images[i];
    if (!image.complete && image.getClientRects().length > 0) ++loading;
  }
  var lastEnd = 0;
  var resources = performance.getEntriesByType('resource');
  for (var j = 0; j < resources.length; ++j) lastEnd = Math.max(lastEnd, resources[j].responseEnd);
  return [scrolled ? 1 : 0, loading, performance.now() - lastEnd];
})())");
}

QString stopAndGoToTopScript()
{
    return QStringLiteral("if (window.quillbraeScroll) window.quillbraeScroll.stop = true;"
                          "window.scrollTo({ left: 0, top: 0, behavior: 'instant' }); 1");
}
