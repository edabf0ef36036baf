#pragma once

#include <QPageLayout>
#include <QString>

#include <cups/cups.h>

// The page layout a printer prints web pages with when the user has chosen nothing else: its
// default paper size, the orientation the user saved for it, and margins wide enough for every
// part of the page to be printed. A4 portrait when the printer is unknown.
QPageLayout defaultPageLayout(const QString &printerName);

// The orientation that the given print options ask for: landscape for "landscape" or an
// "orientation-requested" of 5 or 6, else portrait.
QPageLayout::Orientation requestedOrientation(int optionCount, cups_option_t *options);
