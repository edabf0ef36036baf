#include "printers/CupsPageLayout.h"

#include "printers/CupsConnection.h"
#include "printers/JobOption.h"

#include <QSizeF>

#include <algorithm>

namespace {
// Browsers leave about a centimetre around a printed page; a printer that cannot print that
// close to the edge gets its own, wider margins.
constexpr qreal kSmallestMarginMm = 10.0;
// libcups gives media sizes and margins in hundredths of a millimetre.
constexpr qreal kCupsUnitsPerMm = 100.0;

// The orientation that the given print options ask for: landscape for "landscape" or a landscape
// "orientation-requested", else portrait.
bool landscapeRequested(int optionCount, cups_option_t *options)
{
    if (cupsGetOption("landscape", optionCount, options))
        return true;
    const char *requested = cupsGetOption("orientation-requested", optionCount, options);
    return requested && isLandscapeOrientation(QString::fromUtf8(requested));
}

// The paper upright, with the margins browsers leave, or those the printer needs where wider; the
// printer's own are kept as the layout's smallest margins.
QPageLayout mediaPageLayout(const cups_size_t &size)
{
    const QPageSize pageSize(QSizeF(size.width / kCupsUnitsPerMm, size.length / kCupsUnitsPerMm),
                             QPageSize::Millimeter);
    auto printable = [](int cupsUnits) { return std::max(cupsUnits / kCupsUnitsPerMm, 0.0); };
    const QMarginsF printerMargins(printable(size.left), printable(size.top), printable(size.right),
                                   printable(size.bottom));
    auto margin = [](qreal printerMargin) { return std::max(printerMargin, kSmallestMarginMm); };
    const QMarginsF margins(margin(printerMargins.left()), margin(printerMargins.top()), margin(printerMargins.right()),
                            margin(printerMargins.bottom()));
    return QPageLayout(pageSize.isValid() ? pageSize : QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter, printerMargins);
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
    QPageLayout layout = mediaPageLayout(size);
    if (landscapeRequested(queue.num_options, queue.options))
        layout.setOrientation(QPageLayout::Landscape);
    return layout;
}

std::optional<QPageLayout> namedPaperLayout(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details,
                                            const QString &paper)
{
    if (!details)
        return std::nullopt;
    // The server's own lookup by name wants the size to the hundredth of a millimetre, which the
    // common names' sizes and a driver's differ by: the paper is matched by its standard name.
    const QByteArray name = paper.toUtf8();
    const pwg_media_t *known = pwgMediaForPWG(name.constData());
    if (!known)
        known = pwgMediaForLegacy(name.constData());
    if (!known)
        known = pwgMediaForPPD(name.constData());
    const int count = cupsGetDestMediaCount(server.http(), &queue, details, 0);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(server.http(), &queue, details, i, 0, &size) == 0)
            continue;
        if (name == size.media || (known && qstrcmp(known->pwg, size.media) == 0))
            return mediaPageLayout(size);
    }
    return std::nullopt;
}

QList<PaperSize> queuePaperSizes(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details)
{
    QList<PaperSize> papers;
    if (!details)
        return papers;
    const int count = cupsGetDestMediaCount(server.http(), &queue, details, 0);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(server.http(), &queue, details, i, 0, &size) == 0)
            continue;
        const char *shown = cupsLocalizeDestMedia(server.http(), &queue, details, 0, &size);
        const QString name = QString::fromUtf8(size.media);
        // The same paper comes once for each of its margins (borderless and not): it is offered once.
        if (std::none_of(papers.cbegin(), papers.cend(), [&](const PaperSize &p) { return p.name == name; }))
            papers.append({name, shown ? QString::fromUtf8(shown) : name});
    }
    return papers;
}
