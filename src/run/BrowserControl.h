#pragma once

#include "browser/LoadOutcome.h"
#include "browser/PhaseTimes.h"
#include "browser/SheetRequest.h"
#include "browser/WaitRules.h"
#include "sheets/RenderedPage.h"

#include <QDeadlineTimer>
#include <QStringList>

#include <chrono>

// The browsers as the page routine uses them: it talks to them only through this, so that a test
// can stand in for them.
class BrowserControl
{
public:
    virtual ~BrowserControl() = default;

    // Starts loading the address as a user would have typed it into an address bar, or takes the
    // page loaded ahead for it.
    virtual void loadAddress(const QString &address) = 0;
    // Starts loading the addresses that follow the one loading, in order, as far as pages are kept
    // in flight, so that loading each in its turn finds it under way or done. Never fails: a page
    // that can't be loaded ahead is loaded in its turn. A single browser does nothing.
    virtual void loadAhead(const QStringList & /*addresses*/) {}
    // Whether the last load has ended, with the page or with an error page.
    virtual bool loadComplete() = 0;
    virtual LoadOutcome loadOutcome() const = 0;
    virtual Holding holding() = 0;
    // Readies a page whose load went well as the rules ask (see PageBrowser::finishPage).
    virtual QString finishPage(const WaitRules &rules, QDeadlineTimer deadline) = 0;
    // How long the page has been ready: a page readied ahead may have waited out its delay already.
    virtual std::chrono::milliseconds readyFor() const { return std::chrono::milliseconds(0); }
    // The loaded page rendered for print; raises a printer RuntimeError when it can't be.
    virtual RenderedPage renderForPrinting(const SheetRequest &sheets) = 0;
    // How the page's time split so far, for those who measure it.
    virtual PhaseTimes phaseTimes() const { return {}; }
    // Lets go of every page, as a run ends: whatever their renderers do afterwards can't reach
    // the program.
    virtual void letGoOfPages() {}
};
