#include "browser/PageFit.h"

#include <QVariantList>

namespace {
// The page's own style is changed, and left so once printed. Answers [1, the document's own title]:
// answering at all tells that the renderer still runs scripts, and the title is empty where the
// page has none (the browser's own title would then be the address, which can't be told from a
// title that happens to end it). A scale of 0 fits.
QString fitScript(double printWidthPx, double scale)
{
    return QStringLiteral(R"((function (printWidth, scale) {
  try {
    var root = document.documentElement;
    if (root && root.style && !(scale > 0)) {
      var own = root.getAttribute('style');
      root.style.setProperty('width', printWidth + 'px', 'important');
      var wide = Math.max(root.scrollWidth, document.body ? document.body.scrollWidth : 0);
      if (own === null) root.removeAttribute('style'); else root.setAttribute('style', own);
      scale = wide > printWidth ? printWidth / wide : 1;
    }
    if (root && root.style && scale !== 1) root.style.setProperty('zoom', String(scale), 'important');
  } catch (e) {}
  return [1, String(document.title)];
})(%1, %2))")
        .arg(printWidthPx)
        .arg(scale);
}
} // namespace

QString sheetFitScript(double printWidthPx, std::optional<double> scale)
{
    return fitScript(printWidthPx, scale.value_or(0));
}

std::optional<QString> fittedPageTitle(const QVariant &answer)
{
    const QVariantList fields = answer.toList();
    if (fields.size() != 2 || fields.at(0).toInt() != 1)
        return std::nullopt;
    return fields.at(1).toString().trimmed();
}
