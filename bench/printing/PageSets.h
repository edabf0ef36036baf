#pragma once

#include <QString>

// One list of pages every contender prints: a list file of addresses on the local web server,
// one a line.
struct PageSet
{
    QString description;
    QString listFile;
    int pages = 0; // none when the set could not be made; the description then says why
    // The pictures of all its pages, for a set made to see whether all of them print; else 0.
    int pictures = 0;
};

// The sets live in siteFolder, which the local web server serves at siteAddress; their list
// files are written there too.

// 20 generated intranet reports (see BenchPages.h).
PageSet reportPageSet(const QString &siteFolder, const QString &siteAddress);
// 20 pages of an installed HTML manual (see DocPages.h), reached through a link in siteFolder.
PageSet manualPageSet(const QString &siteFolder, const QString &siteAddress);
// The same pages of the manual from a server at delayedSiteAddress that serves siteFolder too but
// waits responseDelayMs before every response, as a distant server does.
PageSet delayedManualPageSet(const QString &siteFolder, const QString &delayedSiteAddress, int responseDelayMs);
// 12 pages whose pictures load only in view (see LazyPages.h), from the server that waits
// before every response.
PageSet lazyPageSet(const QString &siteFolder, const QString &delayedSiteAddress, int responseDelayMs);
