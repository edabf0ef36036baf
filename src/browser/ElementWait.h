#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <functional>
#include <optional>

class QWebEnginePage;

// A script that answers 1 when an element of the page matches the CSS selector, 0 when none does,
// -1 when the selector can't be read.
QString elementMatchScript(const QString &selector);

// Whether the browser reads the selector; asks a page of its own, with nothing in it. Nothing
// when the browser did not say in time.
std::optional<bool> browserReadsSelector(const QString &selector);
