#pragma once

#include <QString>

class QWebEngineLoadingInfo;

// How an address's load ended, as far as the browser tells: a network error, an HTTP error
// status, or an address that gives no page counts as failed.
struct LoadOutcome
{
    bool failed = false;
    int httpStatus = 0; // the status the server answered with; 0 without an HTTP answer
    QString error;      // why it failed, in a few words
};

// What a browser holds of the last address it was given.
enum class Holding {
    Page,    // its page, complete or not, or the browser's page explaining why it can't show it
    Nothing, // nothing yet: no answer has come for it
    Refused, // nothing ever will: the browser would not load the address
};

// The outcome a load's end tells.
LoadOutcome loadOutcomeOf(const QWebEngineLoadingInfo &loading);

// The page the browser shows in place of an address it can't show, saying why; the address shows
// without its password.
QString cannotShowPage(QString address, const QString &reason);
