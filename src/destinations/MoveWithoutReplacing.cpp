#include "destinations/MoveWithoutReplacing.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
MoveOutcome failed(QString *why)
{
    *why = QString::fromLocal8Bit(std::strerror(errno));
    return MoveOutcome::Failed;
}
} // namespace

MoveOutcome moveWithoutReplacing(const QString &from, const QString &to, QString *why)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return MoveOutcome::Moved;
    if (errno == EEXIST)
        return MoveOutcome::TargetExists;
    // Some file systems (network ones, older ones) don't take the flag.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failed(why);
    struct stat existing = {};
    if (::lstat(target.constData(), &existing) == 0)
        return MoveOutcome::TargetExists;
    if (::rename(source.constData(), target.constData()) == 0)
        return MoveOutcome::Moved;
    return failed(why);
}
