#include "run/PageSetupSettings.h"

#include "run/PauseValue.h"
#include "runtime/Settings.h"

#include <QLocale>

namespace {
const QString kGroup = QStringLiteral("PageSetup/");
constexpr double kSmallestPercent = 10;
constexpr double kLargestPercent = 400;

QString key(const char *name)
{
    return kGroup + QLatin1String(name);
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// A switch as written; anything else written there reads as the default.
bool readSwitch(const char *name, bool defaultValue)
{
    const QString text = Settings::read(key(name));
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
    setup.backgrounds = readSwitch("Backgrounds", setup.backgrounds);
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
    if (!readSwitch("LoadAhead", true))
        setup.pagesInFlight = 1;
    const int pagesInFlight = Settings::read(key("PagesInFlight")).toInt(&isNumber);
    if (isNumber && pagesInFlight >= 1 && pagesInFlight <= kMostPagesInFlight)
        setup.pagesInFlight = pagesInFlight;
    WaitRules &rules = setup.waitRules;
    rules.lazyLoad = readSwitch("LazyLoad", rules.lazyLoad);
    rules.waitFor = Settings::read(key("WaitFor")).trimmed();
    rules.delaySeconds = readDelay(Settings::read(key("Delay"))).value_or(rules.delaySeconds);
    rules.keepOverlays = !readSwitch("LeaveOutOverlays", !rules.keepOverlays);
    rules.onlyElement = Settings::read(key("OnlyElement")).trimmed();
    return setup;
}

void savePageSetup(const PageSetup &setup)
{
    Settings::write(key("Header"), setup.header);
    Settings::write(key("Footer"), setup.footer);
    Settings::write(key("Scale"), scaleText(setup.scale));
    Settings::write(key("Backgrounds"), yesNo(setup.backgrounds));
    Settings::write(key("Paper"), setup.paper);
    Settings::write(key("Orientation"), !setup.orientation                             ? QString()
                                        : *setup.orientation == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                                       : QStringLiteral("portrait"));
    Settings::write(key("Copies"), QString::number(setup.copies));
    Settings::write(key("Sides"), setup.sides);
    Settings::write(key("PagesInFlight"), QString::number(setup.pagesInFlight));
    // What earlier versions read, so that going back to one keeps one page at a time.
    Settings::write(key("LoadAhead"), yesNo(setup.pagesInFlight > 1));
    Settings::write(key("LazyLoad"), yesNo(setup.waitRules.lazyLoad));
    Settings::write(key("WaitFor"), setup.waitRules.waitFor);
    Settings::write(key("Delay"), QString::number(setup.waitRules.delaySeconds));
    Settings::write(key("LeaveOutOverlays"), yesNo(!setup.waitRules.keepOverlays));
    Settings::write(key("OnlyElement"), setup.waitRules.onlyElement);
}
