#pragma once

#include <QString>

// The longest wait after a page is ready: a page that needs longer is no page to print unattended.
constexpr double kLongestDelaySeconds = 3600;

// What a page waits for once its load is complete, and what of it is printed.
struct WaitRules
{
    // Scroll through the page so that what loads only as it comes into view (pictures, sections)
    // is there, and wait until its network is quiet.
    bool lazyLoad = true;
    // A CSS selector that must match before the page prints; empty: none.
    QString waitFor;
    // Seconds to wait once the page is ready, after the rest.
    double delaySeconds = 0;
    // Print the page as it stands, with its cookie notices, pop-ups and pinned headers; otherwise
    // those are cleared away first (see PageClutter).
    bool keepOverlays = false;
    // A CSS selector of the elements to print alone; empty: the whole page. A page where none
    // matches prints whole, and its load counts as failed.
    QString onlyElement{};

    bool operator==(const WaitRules &other) const
    {
        return lazyLoad == other.lazyLoad && waitFor == other.waitFor && delaySeconds == other.delaySeconds &&
               keepOverlays == other.keepOverlays && onlyElement == other.onlyElement;
    }
};
