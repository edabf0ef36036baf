#include "destinations/FileDestination.h"

#include "printers/PrinterSystem.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

QString FileDestination::sheetPrinter() const
{
    try {
        return m_printers.defaultPrinterName();
    } catch (const RuntimeError &) {
        return {};
    }
}

void FileDestination::checkFolderTakesFiles(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("There is no folder \"%1\".").arg(folder));
    if (!info.isDir())
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("\"%1\" is not a folder.").arg(folder));
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillbrae-XXXXXX")));
    if (!probe.open())
        throw RuntimeError(ErrorNumber::PermissionDenied,
                           QStringLiteral("No file can be written in \"%1\": %2").arg(folder, probe.errorString()));
}
