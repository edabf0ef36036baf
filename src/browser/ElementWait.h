#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <functional>
#include <optional>

class QWebEnginePage;

// Waits until an element of the page matches the CSS selector, asking the page again and again
// while events run. Gives nothing once one does; "selector not found" when none did by the
// deadline, the page's renderer ended (gone() holds) or the program is ending; "selector not
// valid" when the browser can't read the selector.
QString waitForElement(QWebEnginePage &page, const QString &selector, QDeadlineTimer deadline,
                       const std::function<bool()> &gone);

// Whether the browser reads the selector; asks a page of its own, with nothing in it. Nothing
// when the browser did not say in time.
std::optional<bool> browserReadsSelector(const QString &selector);
