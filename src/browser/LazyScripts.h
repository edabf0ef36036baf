#pragma once

#include <QString>

// The scripts that bring in what a page loads only as it comes into view.

// Put into every page before its own scripts run, in the page's own script world: notes what the
// page's scripts do that could load something late: elements handed to an IntersectionObserver,
// listeners of scrolling. Changes nothing the page sees.
QString lazyWatchScript();

// In the page's own script world, once it has loaded: 1 when something on it may load late (what
// the watch noted, pictures and frames waiting in data- attributes or lazy-loading classes, a
// scroll handler in markup), 0 when nothing does. A page the watch did not reach answers 1.
QString lazyCandidatesScript();

// Starts the scroll through the page, in the script world of its own, and answers at once. It
// begins with a frame drawn at the top; then each step waits for the next frame and moves a
// viewport down at its start: that frame draws the new
// position and reports what came into view, and the page's handlers of that report have run by
// the next. The page may grow as it goes; the scroll ends at its end, where it can go no further,
// ten screens past the height the page had when it began (a feed that adds more whenever its end
// comes into view would otherwise print a ream), or when stopped.
QString startScrollScript();

// [scrolled, pictures laid out that are still loading, milliseconds since the last response ended].
QString lazyProgressScript();

// Stops a scroll that still runs and goes back to the top, where a reader starts.
QString stopAndGoToTopScript();
