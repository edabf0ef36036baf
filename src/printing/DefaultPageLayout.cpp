#include "printing/DefaultPageLayout.h"

#include "printers/CupsCallThread.h"
#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"
#include "runtime/RuntimeError.h"

#include <QSizeF>

#include <algorithm>

namespace {
// Browsers leave about a centimetre around a printed page; a printer that cannot print that
// close to the edge gets its own, wider margins.
constexpr qreal kSmallestMarginMm = 10.0;
constexpr std::chrono::seconds kLookupTimeLimit{10};
// libcups gives media sizes and margins in hundredths of a millimetre.
constexpr qreal kCupsUnitsPerMm = 100.0;

// What the print server says of the printer's paper, in libcups' units.
struct PaperDefaults
{
    cups_size_t size{};
    bool landscape = false;
};

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

std::optional<PaperDefaults> paperDefaults(const QString &printerName)
{
    return CupsCallThread::run<std::optional<PaperDefaults>>([printerName]() -> std::optional<PaperDefaults> {
        CupsConnection server(kLookupTimeLimit);
        const CupsDestinations destinations(server);
        cups_dest_t *destination = const_cast<cups_dest_t *>(destinations.find(printerName));
        if (!destination)
            return std::nullopt;
        PaperDefaults paper;
        paper.landscape = landscapeRequested(destination->num_options, destination->options);
        cups_dinfo_t *info = cupsCopyDestInfo(server.http(), destination);
        const bool known = info && cupsGetDestMediaDefault(server.http(), destination, info, 0, &paper.size) != 0;
        cupsFreeDestInfo(info);
        if (!known)
            return std::nullopt;
        return paper;
    });
}

QPageLayout fallbackLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm),
                       QPageLayout::Millimeter);
}
} // namespace

QPageLayout defaultPageLayout(const QString &printerName)
{
    std::optional<PaperDefaults> paper;
    try {
        paper = paperDefaults(printerName);
    } catch (const RuntimeError &) {
        // Page setup never fails: without the server's word the page is A4 and upright.
    }
    if (!paper)
        return fallbackLayout();
    const cups_size_t &size = paper->size;
    const QPageSize pageSize(QSizeF(size.width / kCupsUnitsPerMm, size.length / kCupsUnitsPerMm),
                             QPageSize::Millimeter);
    auto margin = [](int cupsUnits) { return std::max(cupsUnits / kCupsUnitsPerMm, kSmallestMarginMm); };
    const QMarginsF margins(margin(size.left), margin(size.top), margin(size.right), margin(size.bottom));
    return QPageLayout(pageSize.isValid() ? pageSize : QPageSize(QPageSize::A4),
                       paper->landscape ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
                       QPageLayout::Millimeter);
}
