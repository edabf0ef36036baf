#include "PageSets.h"

#include "BenchPages.h"
#include "DocPages.h"
#include "LazyPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kReportPages = 20;
constexpr int kLazyPages = 12;

// Writes the addresses of the pages at paths below siteFolder into a list file named after the set.
PageSet listedPageSet(const QString &siteFolder, const QString &siteAddress, const QString &name,
                      const QStringList &paths)
{
    PageSet set;
    set.listFile = siteFolder + QStringLiteral("/%1.list").arg(name);
    QFile list(set.listFile);
    if (!list.open(QIODevice::WriteOnly)) {
        set.description = QStringLiteral("cannot write %1").arg(set.listFile);
        return set;
    }
    qint64 bytes = 0;
    for (const QString &path : paths) {
        list.write((siteAddress + QLatin1Char('/') + path + QLatin1Char('\n')).toUtf8());
        bytes += QFileInfo(siteFolder + QLatin1Char('/') + path).size();
    }
    set.pages = static_cast<int>(paths.size());
    set.description = QStringLiteral("%1 pages, %2 KB of HTML on average").arg(set.pages).arg(bytes / set.pages / 1024);
    return set;
}

// The manual's pages under the name given, their description beginning with origin.
PageSet namedManualPageSet(const QString &siteFolder, const QString &siteAddress, const QString &name,
                           const QString &origin)
{
    const QString link = siteFolder + QStringLiteral("/manual");
    QFile::link(QLatin1String(kDocFolder), link);
    QStringList paths;
    for (const QString &page : docPages()) {
        if (!QFileInfo::exists(link + QLatin1Char('/') + page))
            return {QStringLiteral("The manual's page %1 is missing: is python3.11-doc installed?").arg(page), {}, 0};
        paths << QStringLiteral("manual/") + page;
    }
    PageSet set = listedPageSet(siteFolder, siteAddress, name, paths);
    if (set.pages)
        set.description = origin + QStringLiteral(": ") + set.description +
                          QStringLiteral(", with its style sheets, scripts and pictures");
    return set;
}

const char *const kManualOrigin = "The Python 3.11 manual from Debian's python3.11-doc";
} // namespace

PageSet reportPageSet(const QString &siteFolder, const QString &siteAddress)
{
    const QString folder = siteFolder + QStringLiteral("/reports");
    QDir().mkpath(folder);
    QStringList paths;
    for (const QString &page : writeBenchPages(folder, kReportPages))
        paths << QStringLiteral("reports/") + QFileInfo(page).fileName();
    PageSet set = listedPageSet(siteFolder, siteAddress, QStringLiteral("reports"), paths);
    if (set.pages)
        set.description = QStringLiteral("Generated intranet reports: ") + set.description +
                          QStringLiteral(", a shared style sheet and two pictures each");
    return set;
}

PageSet manualPageSet(const QString &siteFolder, const QString &siteAddress)
{
    return namedManualPageSet(siteFolder, siteAddress, QStringLiteral("manual"), QLatin1String(kManualOrigin));
}

PageSet delayedManualPageSet(const QString &siteFolder, const QString &delayedSiteAddress, int responseDelayMs)
{
    return namedManualPageSet(
        siteFolder, delayedSiteAddress, QStringLiteral("manual-delayed"),
        QLatin1String(kManualOrigin) +
            QStringLiteral(", served with %1 ms before every response (page, style sheet, script, picture)")
                .arg(responseDelayMs));
}

PageSet lazyPageSet(const QString &siteFolder, const QString &delayedSiteAddress, int responseDelayMs)
{
    const QString folder = siteFolder + QStringLiteral("/lazy");
    QDir().mkpath(folder);
    QStringList paths;
    for (const QString &page : writeLazyPages(folder, kLazyPages))
        paths << QStringLiteral("lazy/") + page;
    if (paths.isEmpty())
        return {QStringLiteral("cannot write the lazy pages into %1").arg(folder), {}, 0};
    PageSet set = listedPageSet(siteFolder, delayedSiteAddress, QStringLiteral("lazy"), paths);
    set.pictures = set.pages * kLazyPicturesPerPage;
    set.description = QStringLiteral("Pages whose pictures load only in view: %1 pages of %2 pictures each (a third "
                                     "loading=\"lazy\", a third by an IntersectionObserver, a third by a scroll "
                                     "handler), %3 in all, served with %4 ms before every response")
                          .arg(set.pages)
                          .arg(kLazyPicturesPerPage)
                          .arg(set.pictures)
                          .arg(responseDelayMs);
    return set;
}
