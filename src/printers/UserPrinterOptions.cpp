#include "printers/UserPrinterOptions.h"

#include "printers/CupsConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <pwd.h>
#include <unistd.h>

namespace {
QString homeFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return home;
    const passwd *account = getpwuid(getuid());
    return account ? QFile::decodeName(account->pw_dir) : QString();
}
} // namespace

QString UserPrinterOptions::path()
{
    return homeFolder() + QStringLiteral("/.cups/lpoptions");
}

UserPrinterOptions UserPrinterOptions::read()
{
    UserPrinterOptions options;
    QFile file(path());
    options.m_folderExists = QFileInfo(QFileInfo(file).absolutePath()).isDir();
    if (file.open(QIODevice::ReadOnly)) {
        options.m_exists = true;
        options.m_content = file.readAll();
    }
    return options;
}

bool UserPrinterOptions::hasDefault() const
{
    // Each line is a keyword and a value; "Default NAME[/INSTANCE] [options]" names the default.
    const QList<QByteArray> lines = m_content.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words.first().compare("default", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void UserPrinterOptions::restore() const
{
    const QString filePath = path();
    if (!m_exists) {
        if (QFile::exists(filePath) && !QFile::remove(filePath))
            throwPrinterError(QStringLiteral("Cannot remove %1.").arg(filePath));
        if (!m_folderExists)
            QDir().rmdir(QFileInfo(filePath).absolutePath()); // only if empty: whatever else is there stays
        return;
    }
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(m_content) != m_content.size() ||
        !file.flush())
        throwPrinterError(QStringLiteral("Cannot write %1.").arg(filePath));
}
