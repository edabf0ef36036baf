#pragma once

#include "run/PageSetup.h"

// The settings file (see runtime/Settings.h): every key it holds is named, read and written here
// alone, so that what a file holds reads the same from one version to the next.

// The page setup the user chose in the window, kept in the settings file (group "PageSetup"): the
// window's runs use it, and it is what a run from the command line starts from. Reading never
// fails: every value is held to what the Page Setup dialog offers, and what is missing, unreadable
// or out of range (a hand-edited file) reads as the default.
PageSetup savedPageSetup();
void savePageSetup(const PageSetup &setup);

// The window's choice of where the pages go: whether "Save as PDF…" was chosen, and the chosen
// printer's position in the list as it was stored (the empty text when none was).
struct SavedPrinterChoice
{
    bool saveAsPdf = false;
    QString position;
};
SavedPrinterChoice savedPrinterChoice();
// With "Save as PDF…" the printers' position is left as it stands: the entry follows the
// printers, so a position of its own would name a printer once one more is installed.
void savePrinterChoice(bool saveAsPdf, int printerPosition);

// The folder the last run saved its pages in, where the next one's choice starts; empty when none
// did.
QString savedPdfFolder();
void savePdfFolder(const QString &folder);

// The scale as written in settings and on the command line: "fit", or a percentage such as "80".
QString scaleText(const std::optional<double> &scale);
// Reads that text back; nothing when it is neither "fit" nor a percentage from 10 to 400.
std::optional<std::optional<double>> readScale(const QString &text);
// Reads the wait after a page is ready, as written in settings and on the command line: a number
// of seconds from 0 to kLongestDelaySeconds, with a decimal point; nothing for any other text.
std::optional<double> readDelay(const QString &text);
