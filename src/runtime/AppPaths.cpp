#include "runtime/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString shippedFilePath(const QString &name)
{
    QString beside = applicationFolder() + name;
    if (QFileInfo::exists(beside))
        return beside;
    QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("quillbrae") + name);
    return installed.isEmpty() ? beside : installed;
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

QString afterLastBackslash(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}
