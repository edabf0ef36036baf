#include "gui/LiteralProgressBar.h"

#include <QFontMetrics>

namespace {
// More characters than any bar is wide: what lies beyond them is never shown anyway.
constexpr qsizetype kLongestShown = 1000;
} // namespace

QString LiteralProgressBar::text() const
{
    return fontMetrics().elidedText(format().left(kLongestShown), Qt::ElideRight, contentsRect().width());
}
