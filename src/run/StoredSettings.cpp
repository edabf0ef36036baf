#include "run/StoredSettings.h"

#include "run/PauseValue.h"
#include "runtime/Settings.h"

#include <QLocale>

namespace {
// The keys of the settings file. Those of the window's first design keep their names.
// The chosen printer's position in the list.
constexpr auto kPrinterPositionKey = "Combo1";
// Whether "Save as PDF…" was chosen.
constexpr auto kSaveAsPdfKey = "SaveAsPdf";
constexpr auto kPdfFolderKey = "PdfFolder";
// The page setup's keys, each under this group.
const QString kPageSetupGroup = QStringLiteral("PageSetup/");

constexpr double kSmallestPercent = 10;
constexpr double kLargestPercent = 400;

QString key(const char *name)
{
    return kPageSetupGroup + QLatin1String(name);
}

// A switch is written "true" or "false"; anything else written there reads as the default.
void writeSwitch(const QString &name, bool value)
{
    Settings::write(name, value ? QStringLiteral("true") : QStringLiteral("false"));
}

bool readSwitch(const QString &name, bool defaultValue)
{
    const QString text = Settings::read(name);
    return text == QLatin1String("true") || (text != QLatin1String("false") && defaultValue);
}
} // namespace

QString scaleText(const std::optional<double> &scale)
{
    return scale ? QString::number(*scale * 100, 'g', 6) : QStringLiteral("fit");
}

std::optional<std::optional<double>> readScale(const QString &text)
{
    if (text == QLatin1String("fit"))
        return std::optional<double>();
    // Read as every number of the command line and the settings file: with a decimal point.
    const std::optional<double> percent = pauseValue(text, QLocale::c());
    if (!percent || !(*percent >= kSmallestPercent && *percent <= kLargestPercent))
        return std::nullopt;
    return std::optional<double>(*percent / 100);
}

std::optional<double> readDelay(const QString &text)
{
    const std::optional<double> seconds = pauseValue(text, QLocale::c());
    if (!seconds || !(*seconds >= 0 && *seconds <= kLongestDelaySeconds))
        return std::nullopt;
    return seconds;
}

PageSetup savedPageSetup()
{
    PageSetup setup;
    setup.header = Settings::read(key("Header"), setup.header);
    setup.footer = Settings::read(key("Footer"), setup.footer);
    setup.scale = readScale(Settings::read(key("Scale"), scaleText(setup.scale))).value_or(setup.scale);
    setup.backgrounds = readSwitch(key("Backgrounds"), setup.backgrounds);
    setup.paper = Settings::read(key("Paper"));
    const QString orientation = Settings::read(key("Orientation"));
    if (orientation == QLatin1String("portrait"))
        setup.orientation = QPageLayout::Portrait;
    else if (orientation == QLatin1String("landscape"))
        setup.orientation = QPageLayout::Landscape;
    bool isNumber = false;
    const int copies = Settings::read(key("Copies")).toInt(&isNumber);
    if (isNumber && copies >= 1 && copies <= kMostCopies)
        setup.copies = copies;
    const QString sides = Settings::read(key("Sides"));
    if (knownSides().contains(sides))
        setup.sides = sides;
    // Written by earlier versions, which had only one page ahead or none.
    if (!readSwitch(key("LoadAhead"), true))
        setup.pagesInFlight = 1;
    const int pagesInFlight = Settings::read(key("PagesInFlight")).toInt(&isNumber);
    if (isNumber && pagesInFlight >= 1 && pagesInFlight <= kMostPagesInFlight)
        setup.pagesInFlight = pagesInFlight;
    WaitRules &rules = setup.waitRules;
    rules.lazyLoad = readSwitch(key("LazyLoad"), rules.lazyLoad);
    rules.waitFor = Settings::read(key("WaitFor")).trimmed();
    rules.delaySeconds = readDelay(Settings::read(key("Delay"))).value_or(rules.delaySeconds);
    rules.keepOverlays = !readSwitch(key("LeaveOutOverlays"), !rules.keepOverlays);
    rules.onlyElement = Settings::read(key("OnlyElement")).trimmed();
    return setup;
}

void savePageSetup(const PageSetup &setup)
{
    Settings::write(key("Header"), setup.header);
    Settings::write(key("Footer"), setup.footer);
    Settings::write(key("Scale"), scaleText(setup.scale));
    writeSwitch(key("Backgrounds"), setup.backgrounds);
    Settings::write(key("Paper"), setup.paper);
    Settings::write(key("Orientation"), !setup.orientation                             ? QString()
                                        : *setup.orientation == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                                       : QStringLiteral("portrait"));
    Settings::write(key("Copies"), QString::number(setup.copies));
    Settings::write(key("Sides"), setup.sides);
    Settings::write(key("PagesInFlight"), QString::number(setup.pagesInFlight));
    // What earlier versions read, so that going back to one keeps one page at a time.
    writeSwitch(key("LoadAhead"), setup.pagesInFlight > 1);
    writeSwitch(key("LazyLoad"), setup.waitRules.lazyLoad);
    Settings::write(key("WaitFor"), setup.waitRules.waitFor);
    Settings::write(key("Delay"), QString::number(setup.waitRules.delaySeconds));
    writeSwitch(key("LeaveOutOverlays"), !setup.waitRules.keepOverlays);
    Settings::write(key("OnlyElement"), setup.waitRules.onlyElement);
}

SavedPrinterChoice savedPrinterChoice()
{
    return {readSwitch(QLatin1String(kSaveAsPdfKey), false), Settings::read(QLatin1String(kPrinterPositionKey))};
}

void savePrinterChoice(bool saveAsPdf, int printerPosition)
{
    writeSwitch(QLatin1String(kSaveAsPdfKey), saveAsPdf);
    if (!saveAsPdf)
        Settings::write(QLatin1String(kPrinterPositionKey), QString::number(printerPosition));
}

QString savedPdfFolder()
{
    return Settings::read(QLatin1String(kPdfFolderKey));
}

void savePdfFolder(const QString &folder)
{
    Settings::write(QLatin1String(kPdfFolderKey), folder);
}
