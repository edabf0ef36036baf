#include "printing/DefaultPageLayout.h"

#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"
#include "runtime/RuntimeError.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {
// Browsers leave about a centimetre around a printed page; a printer that cannot print that
// close to the edge gets its own, wider margins.
constexpr qreal kSmallestMarginMm = 10.0;
constexpr std::chrono::seconds kLookupTimeLimit{10};

QMarginsF printableMarginsMm(const QPrinterInfo &info, const QPageSize &size)
{
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(size);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    return layout.minimumMargins();
}

QPageLayout::Orientation savedOrientation(const QString &printerName)
{
    try {
        CupsConnection server(kLookupTimeLimit);
        const CupsDestinations destinations(server);
        const cups_dest_t *destination = destinations.find(printerName);
        return destination ? requestedOrientation(destination->num_options, destination->options)
                           : QPageLayout::Portrait;
    } catch (const RuntimeError &) {
        // Page setup never fails: without the server's word the page is upright.
        return QPageLayout::Portrait;
    }
}
} // namespace

QPageLayout::Orientation requestedOrientation(int optionCount, cups_option_t *options)
{
    if (cupsGetOption("landscape", optionCount, options))
        return QPageLayout::Landscape;
    const char *requested = cupsGetOption("orientation-requested", optionCount, options);
    const QByteArray value = requested ? QByteArray(requested) : QByteArray();
    return value == "5" || value == "6" ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageLayout defaultPageLayout(const QString &printerName)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                           QMarginsF(kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm, kSmallestMarginMm),
                           QPageLayout::Millimeter);
    QPageSize size = info.defaultPageSize();
    if (!size.isValid())
        size = QPageSize(QPageSize::A4);
    const QMarginsF printable = printableMarginsMm(info, size);
    const QMarginsF margins(std::max(printable.left(), kSmallestMarginMm), std::max(printable.top(), kSmallestMarginMm),
                            std::max(printable.right(), kSmallestMarginMm),
                            std::max(printable.bottom(), kSmallestMarginMm));
    return QPageLayout(size, savedOrientation(printerName), margins, QPageLayout::Millimeter);
}
