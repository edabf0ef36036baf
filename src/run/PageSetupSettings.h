#pragma once

#include "run/PageSetup.h"

// The page setup the user chose in the window, kept in the settings file (group "PageSetup"): the
// window's runs use it, and it is what a run from the command line starts from. Reading never
// fails: every value is held to what the Page Setup dialog offers, and what is missing, unreadable
// or out of range (a hand-edited file) reads as the default.
PageSetup savedPageSetup();
void savePageSetup(const PageSetup &setup);

// The scale as written in settings and on the command line: "fit", or a percentage such as "80".
QString scaleText(const std::optional<double> &scale);
// Reads that text back; nothing when it is neither "fit" nor a percentage from 10 to 400.
std::optional<std::optional<double>> readScale(const QString &text);
// Reads the wait after a page is ready, as written in settings and on the command line: a number
// of seconds from 0 to kLongestDelaySeconds, with a decimal point; nothing for any other text.
std::optional<double> readDelay(const QString &text);
