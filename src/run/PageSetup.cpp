#include "run/PageSetup.h"

#include "printers/PrinterSystem.h"
#include "sheets/HeaderFooter.h"

void PageSetup::apply(const JobOption &option)
{
    if (option.name == QLatin1String("media"))
        paper = option.value;
    else if (option.name == QLatin1String("landscape"))
        orientation = QPageLayout::Landscape;
    else if (option.name == QLatin1String("orientation-requested"))
        orientation = isLandscapeOrientation(option.value) ? QPageLayout::Landscape : QPageLayout::Portrait;
    else if (option.name == QLatin1String("copies"))
        copies = option.value.toInt();
    else if (option.name == QLatin1String("sides"))
        sides = option.value;
    else
        moreOptions.append(option);
}

JobOptions PageSetup::jobOptions() const
{
    JobOptions options;
    if (!paper.isEmpty())
        options.append({QStringLiteral("media"), paper});
    if (copies != 1)
        options.append({QStringLiteral("copies"), QString::number(copies)});
    if (!sides.isEmpty())
        options.append({QStringLiteral("sides"), sides});
    options.append(moreOptions);
    return options;
}

QPageLayout sheetLayoutFor(PrinterSystem &printers, const QString &printer, PageSetup &setup)
{
    const QPageLayout printerDefault = printers.defaultPageLayout(printer);
    const std::optional<QPageLayout> chosenPaper =
        setup.paper.isEmpty() ? std::nullopt : printers.paperLayout(printer, setup.paper);
    if (!chosenPaper)
        setup.paper.clear();
    QPageLayout layout = chosenPaper.value_or(printerDefault);
    layout.setOrientation(setup.orientation.value_or(printerDefault.orientation()));
    return layoutWithRoomForHeaderFooter(layout, !setup.header.isEmpty(), !setup.footer.isEmpty());
}
