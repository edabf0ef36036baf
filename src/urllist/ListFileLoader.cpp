#include "urllist/ListFileLoader.h"

#include "runtime/AppPaths.h"
#include "runtime/EventSleep.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "urllist/ListDocument.h"
#include "urllist/ListLimits.h"
#include "urllist/ListReader.h"
#include "urllist/UrlListModel.h"

#include <QElapsedTimer>
#include <QFile>

namespace {
constexpr int kFileAlreadyOpen = 55;
// How often the list's views are told of the rows read meanwhile: often enough to watch the list
// grow, seldom enough that laying out and painting the view does not slow a long load down.
constexpr qint64 kShowRowsEveryMs = 30;

// The one file channel the loader reads through; held for the length of a load.
class LoadInProgress
{
public:
    LoadInProgress()
    {
        if (active)
            throw RuntimeError(kFileAlreadyOpen, QStringLiteral("File already open"));
        active = true;
    }
    ~LoadInProgress() { active = false; }
    LoadInProgress(const LoadInProgress &) = delete;
    LoadInProgress &operator=(const LoadInProgress &) = delete;

private:
    static inline bool active = false;
};

// One pass through the window's events; false once the program is ending.
bool letTheWindowRun()
{
    letEventsRun();
    return !programEnding();
}

// A file's links are what the user loads it for: any HTML file gives them, a saved page's as a
// bookmarks export's.
void appendListedPages(UrlListModel &list, QFile &file, const std::function<bool(int pages)> &addManyPages)
{
    ListReading reading;
    reading.links = true;
    const ListPages listed = readDocumentFile(file, reading);
    if (listed.kind != ListKind::Text && listed.rows.size() > kPagesWithoutAsking &&
        !addManyPages(static_cast<int>(listed.rows.size())))
        return;
    const UrlListAppendBatch batch(list);
    for (const QString &row : listed.rows)
        list.append(row);
}
} // namespace

bool appendListFile(UrlListModel &list, const QString &path, const std::function<bool(int pages)> &addManyPages)
{
    if (!fileExists(path))
        return false;
    const LoadInProgress channel;
    QFile file(path);
    openListFile(file);
    if (!holdsTextList(file)) {
        appendListedPages(list, file, addManyPages);
        return true;
    }
    const UrlListAppendBatch batch(list);
    QElapsedTimer sinceShown;
    sinceShown.start();
    readListRows(file, [&](const QString &row) {
        if (!letTheWindowRun())
            return false;
        list.append(row);
        if (sinceShown.elapsed() >= kShowRowsEveryMs) {
            list.showPendingRows();
            sinceShown.restart();
        }
        return true;
    });
    return true;
}
