#pragma once

#include <QDeadlineTimer>

#include <functional>

class QWebEnginePage;
class RequestWatch;

// Brings in what a loaded page loads only as it scrolls into view (pictures with loading="lazy",
// sections a script loads when they come into sight): scrolls through the page a viewport at a
// time, lets each position be drawn, waits until the page's network is quiet, and scrolls back to
// the top. Ends by the deadline, or after five seconds, whatever the page does, and at once when its renderer has ended
// (gone() holds) or the program is ending; the page is then printed as far as it got. Needs a
// page that draws frames: one that is shown, if only off every screen.
void loadLazyContent(QWebEnginePage &page, const RequestWatch &requests, QDeadlineTimer deadline,
                     const std::function<bool()> &gone);
