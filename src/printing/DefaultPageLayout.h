#pragma once

#include <QPageLayout>
#include <QString>

// The page layout a printer prints web pages with when the user has chosen nothing else: its
// default paper size, the orientation the user saved for it, and margins wide enough for every
// part of the page to be printed. A4 portrait when the printer is unknown or the server does not
// answer.
QPageLayout defaultPageLayout(const QString &printerName);
