#pragma once

#include <QtGlobal>

// How a page's time split in a browser, in nanoseconds: loading from the address until the load
// first said complete (-1 if it never did), finishing (its lazy content and element; 0 without),
// and rendering (the check that the renderer answers included). For measuring where a run's time
// goes; nothing in the program depends on it.
struct PhaseTimes
{
    qint64 loadNs = -1;
    qint64 finishNs = 0;
    qint64 renderNs = 0;
    // Whether finishing scrolled through the page for what loads late: a page with nothing of the
    // kind is not scrolled.
    bool scrolled = false;
};
