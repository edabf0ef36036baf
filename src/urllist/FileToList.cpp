#include "urllist/FileToList.h"

#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "urllist/CrLineReader.h"
#include "urllist/ListFileText.h"
#include "urllist/UrlListModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

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

// Only regular files are read: a folder, a pipe or a device would fail, block or never end.
void openForReading(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.isFile())
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"));
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

// One pass through the window's events; false once the program is ending.
bool letTheWindowRun()
{
    QCoreApplication::processEvents();
    return !programEnding();
}
} // namespace

void FileToList(UrlListModel &list, const QString &path, Dialogs &dialogs)
{
    if (!FileExists(path)) {
        dialogs.message(QStringLiteral("File not found"), applicationTitle(), Dialogs::Icon::None);
        return;
    }
    const LoadInProgress channel;
    QFile file(path);
    openForReading(file);
    const ListFileText text = ListFileText::detect(file);
    CrLineReader reader(file);
    const UrlListAppendBatch batch(list);
    QElapsedTimer sinceShown;
    sinceShown.start();
    auto appendRow = [&](QByteArrayView bytes) {
        list.append(text.decode(bytes));
        if (sinceShown.elapsed() >= kShowRowsEveryMs) {
            list.showPendingRows();
            sinceShown.restart();
        }
    };
    while (!programEnding() && !reader.atEnd()) {
        if (!letTheWindowRun())
            return;
        const QByteArray line = reader.readLine();
        const QByteArrayView bytes(line);
        qsizetype start = 0;
        for (qsizetype lf = bytes.indexOf('\n'); lf >= 0; lf = bytes.indexOf('\n', start)) {
            if (!letTheWindowRun())
                return;
            appendRow(bytes.sliced(start, lf - start));
            start = lf + 1;
        }
        appendRow(bytes.sliced(start));
    }
}
