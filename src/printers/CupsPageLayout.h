#pragma once

#include "printers/PrinterSystem.h"

#include <QPageLayout>

#include <optional>

#include <cups/cups.h>

class CupsConnection;

// The page layout the queue prints web pages with when the user has chosen nothing else: its
// default paper size, the orientation the user saved for it, and margins wide enough for every
// part of the page to be printed. A4 portrait when the server does not say what paper the queue
// takes. The details are what the server said of the queue (cupsCopyDestInfo), if anything.
QPageLayout queuePageLayout(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details);

// The layout for the paper the queue knows by that name, upright; nothing when it does not know it.
std::optional<QPageLayout> namedPaperLayout(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details,
                                            const QString &paper);

// The papers the queue offers, each once, in the server's order.
QList<PaperSize> queuePaperSizes(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details);

// The layout for a printer that is unknown or cannot be asked: A4, upright, the smallest margins.
QPageLayout fallbackPageLayout();
