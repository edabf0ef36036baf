#include "printers/CupsPageLayout.h"

#include "printers/CupsConnection.h"

#include <QSizeF>

#include <algorithm>

namespace {
// Browsers leave about a centimetre around a printed page; a printer that cannot print that
// close to the edge gets its own, wider margins.
constexpr qreal kSmallestMarginMm = 10.0;
// libcups gives media sizes and margins in hundredths of a millimetre.
constexpr qreal kCupsUnitsPerMm = 100.0;

// The orientation that the given print options ask for: landscape for "landscape" or an
// "orientation-requested" of 5 or 6, else portrait.
bool landscapeRequested(int optionCount, cups_option_t *options)
{
    if (cupsGetOption("landscape", optionCount, options))
        return true;
    const char *requested = cupsGetOption("orientation-requested", optionCount, options);
    const QByteArray value = requested ? QByteArray(requested) : QByteArray();
    return value == "5" || value == "6";
}
} // namespace

QPageLayout fallbackPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm),
                       QPageLayout::Millimeter);
}

QPageLayout queuePageLayout(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details)
{
    cups_size_t size{};
    if (!details || cupsGetDestMediaDefault(server.http(), &queue, details, 0, &size) == 0)
        return fallbackPageLayout();
    const bool landscape = landscapeRequested(queue.num_options, queue.options);
    const QPageSize pageSize(QSizeF(size.width / kCupsUnitsPerMm, size.length / kCupsUnitsPerMm),
                             QPageSize::Millimeter);
    auto margin = [](int cupsUnits) { return std::max(cupsUnits / kCupsUnitsPerMm, kSmallestMarginMm); };
    const QMarginsF margins(margin(size.left), margin(size.top), margin(size.right), margin(size.bottom));
    return QPageLayout(pageSize.isValid() ? pageSize : QPageSize(QPageSize::A4),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}
