#include "runtime/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.lastModified().isValid();
}

QString FileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}
