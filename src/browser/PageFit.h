#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <functional>
#include <optional>

class QWebEnginePage;

// Sizes the page for a sheet printWidthPx CSS pixels wide: at the scale given, or with none
// smaller, just enough for its widest content to fit (never larger), as a browser's print zoom
// would. Gives the document's own title (empty when it has none), or nothing when the page's
// renderer does not answer by the deadline: stuck in a script, or gone.
std::optional<QString> fitPageToSheet(QWebEnginePage &page, double printWidthPx, std::optional<double> scale,
                                      QDeadlineTimer deadline, const std::function<bool()> &gone);
