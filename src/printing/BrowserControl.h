#pragma once

#include "printing/PageDestination.h"
#include "printing/WaitRules.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

// The embedded browser as printing a page uses it. The page routine talks to the browser only
// through this, so that a test can stand in for it.
class BrowserControl
{
public:
    virtual ~BrowserControl() = default;

    // How the last address's load ended, as far as the browser tells: a network error, an HTTP
    // error status, or an address that gives no page counts as failed.
    struct LoadOutcome
    {
        bool failed = false;
        int httpStatus = 0; // the status the server answered with; 0 without an HTTP answer
        QString error;      // why it failed, in a few words
    };

    // What the browser holds of the last address it was given.
    enum class Holding {
        Page,    // its page, complete or not, or the browser's page explaining why it can't show it
        Nothing, // nothing yet: no answer has come for it
        Refused, // nothing ever will: the browser would not load the address
    };

    // Starts loading the address as a user would have typed it into an address bar.
    virtual void loadAddress(const QString &address) = 0;
    // Starts loading the address that follows, where the browser can load one page while it
    // prints another, so that loading it in its turn finds it under way or done. Never fails: a
    // page that can't be loaded ahead is loaded in its turn. A browser of one page does nothing.
    virtual void loadAhead(const QString & /*address*/) {}
    // Whether the last load has ended, with the page or with an error page.
    virtual bool loadComplete() = 0;
    virtual LoadOutcome loadOutcome() const = 0;
    virtual Holding holding() = 0;
    // Readies a page whose load went well as the rules ask: brings in what it loads only as it
    // scrolls into view, then waits for the element the rules name. Waits nowhere past the
    // deadline. Gives why the page is not ready ("selector not found", "selector not valid"), or
    // nothing. Raises nothing: whatever goes wrong leaves the page as it stands, to be printed.
    virtual QString finishPage(const WaitRules &rules, QDeadlineTimer deadline) = 0;

    // Takes the paper, orientation and margins of the following prints from the printer.
    virtual void setUpPage() = 0;
    // The loaded page as a document ready for the printer; raises a printer RuntimeError when the
    // page can't be prepared.
    virtual QByteArray renderForPrinting() = 0;
    // Hands the rendered page, the row at `place` of the run's list, to the run's destination (a
    // printer, a folder, a file) and gives what it made of it; raises a printer RuntimeError when
    // the destination refuses it or can't be reached.
    virtual Delivery handOver(const QByteArray &pdf, const ListPlace &place) = 0;
};
