#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// The script that sizes the page for a sheet printWidthPx CSS pixels wide: at the scale given, or
// with none smaller, just enough for its widest content to fit (never larger), as a browser's print
// zoom would. It runs in the page's own script world, since the page's style is what it changes.
QString sheetFitScript(double printWidthPx, std::optional<double> scale);
// The document's own title (empty when it has none) from the script's answer; nothing when the
// answer is none, which tells that the renderer no longer runs scripts.
std::optional<QString> fittedPageTitle(const QVariant &answer);
