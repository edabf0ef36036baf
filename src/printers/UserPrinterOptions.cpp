#include "printers/UserPrinterOptions.h"

#include "printers/CupsConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonValue>
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

QString UserPrinterOptions::defaultName() const
{
    // Each line is a keyword and a value; "Default NAME[/INSTANCE] [options]" names the default.
    const QList<QByteArray> lines = m_content.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 2 && words.first().compare("default", Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(words.at(1));
    }
    return QString();
}

QJsonObject UserPrinterOptions::toJson() const
{
    return QJsonObject{{QStringLiteral("exists"), m_exists},
                       {QStringLiteral("folderExists"), m_folderExists},
                       {QStringLiteral("content"), QString::fromLatin1(m_content.toBase64())}};
}

std::optional<UserPrinterOptions> UserPrinterOptions::fromJson(const QJsonObject &json)
{
    const QJsonValue exists = json.value(QStringLiteral("exists"));
    const QJsonValue folderExists = json.value(QStringLiteral("folderExists"));
    const QJsonValue content = json.value(QStringLiteral("content"));
    if (!exists.isBool() || !folderExists.isBool() || !content.isString())
        return std::nullopt;
    const auto decoded =
        QByteArray::fromBase64Encoding(content.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    UserPrinterOptions options;
    options.m_exists = exists.toBool();
    options.m_folderExists = folderExists.toBool();
    options.m_content = *decoded;
    return options;
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
