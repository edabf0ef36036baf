#pragma once

#include "browser/WaitRules.h"
#include "printers/JobOption.h"

class PrinterSystem;

// More pages in flight than this gain nothing even from a slow site, and cost a renderer each.
constexpr int kMostPagesInFlight = 8;

#include <QPageLayout>
#include <QString>

#include <optional>

// How a run's pages are laid on the sheets and what the printer is asked for besides the pages.
struct PageSetup
{
    // The title left and the page's number right at the top; the address left and the date right
    // at the bottom, as browsers print them.
    static QString defaultHeader() { return QStringLiteral("{title}|Page {page} of {pages}"); }
    static QString defaultFooter() { return QStringLiteral("{url}|{date}"); }

    QString header = defaultHeader(); // empty: no header
    QString footer = defaultFooter(); // empty: no footer
    // Nothing: a page wider than the paper is made smaller to fit it, never larger. Otherwise the
    // factor every page is printed at (1: as the page says).
    std::optional<double> scale;
    bool backgrounds = false;
    QString paper; // the printer's name for it; empty: the printer's default paper
    std::optional<QPageLayout::Orientation> orientation; // nothing: as the printer is set up
    int copies = 1;
    QString sides;          // "one-sided", "two-sided-long-edge", ...; empty: as the printer is set up
    JobOptions moreOptions; // any other option for the printer, as given
    // Pages loading and readied at once, the one printing among them: the next pages load while
    // one prints. 1 is for a printer or site that needs one page at a time. Each costs a renderer.
    int pagesInFlight = 2;
    // What each page waits for before it prints.
    WaitRules waitRules;

    // Takes an option as lp takes it: the paper, orientation, copies and sides go to their own
    // fields, so that they shape the page as well as the job; any other is kept as it stands.
    void apply(const JobOption &option);
    // What every job of the run asks of the printer, beyond the user's saved options. Orientation is
    // not among them: the pages are laid out in it already.
    JobOptions jobOptions() const;
};

// The setup that prints each page as it is and nothing else: no header, no footer.
inline PageSetup pagesAlone()
{
    PageSetup setup;
    setup.header.clear();
    setup.footer.clear();
    return setup;
}

// The layout the named printer's sheets get with this setup: the paper chosen or the printer's
// default, the orientation chosen or the one saved for the printer, and margins with room for the
// header and footer. A paper the printer doesn't know (one saved for another printer) is taken out
// of the setup, so that its jobs don't ask for it either.
QPageLayout sheetLayoutFor(PrinterSystem &printers, const QString &printer, PageSetup &setup);
