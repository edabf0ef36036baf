#include "printers/OwnFiles.h"

#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void cannotWrite(const QString &path, const QString &reason)
{
    throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Cannot write %1: %2.").arg(path, reason));
}

bool isPlainFileOrNothing(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode);
}

// Writes bytes into a file made anew at path, all of them down to the disk.
void writeNewFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        cannotWrite(path, qt_error_string(errno));
    QFile file;
    QString problem;
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        problem = file.errorString();
        ::close(descriptor);
    } else if (file.write(bytes) != bytes.size()) {
        problem = file.errorString();
    } else if (::fsync(descriptor) != 0) {
        problem = qt_error_string(errno);
    }
    file.close();
    if (!problem.isEmpty()) {
        ::unlink(name.constData());
        cannotWrite(path, problem);
    }
}

// Makes the folder's entries, a renamed file's among them, last through a loss of power.
void syncFolder(const QString &folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = descriptor >= 0 && ::fsync(descriptor) == 0;
    const int error = errno;
    if (descriptor >= 0)
        ::close(descriptor);
    if (!synced)
        cannotWrite(folder, qt_error_string(error));
}
} // namespace

void OwnFiles::prepareFolder(const QString &folder)
{
    struct stat status = {};
    if (!QDir().mkpath(folder) || ::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Cannot make the folder %1.").arg(folder));
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("%1 is not a folder of the user's own.").arg(folder));
}

std::optional<QByteArray> OwnFiles::read(const QString &path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status = {};
    const bool plain = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    if (!plain)
        return std::nullopt;
    return file.readAll();
}

void OwnFiles::replace(const QString &path, const QByteArray &bytes)
{
    // A link is refused rather than replaced: someone meant it to lead somewhere.
    if (!isPlainFileOrNothing(path))
        cannotWrite(path, QStringLiteral("it is not a plain file"));
    // The new file is written beside the old one and takes its place in one step, so that the file
    // at path is always whole, the old one or the new. Callers keep other writers off path, so a
    // file left at the side path is one whose writer died.
    const QString newPath = path + QStringLiteral(".new");
    ::unlink(QFile::encodeName(newPath).constData());
    writeNewFile(newPath, bytes);
    if (::rename(QFile::encodeName(newPath).constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        ::unlink(QFile::encodeName(newPath).constData());
        cannotWrite(path, qt_error_string(error));
    }
    syncFolder(QFileInfo(path).absolutePath());
    if (read(path) != bytes)
        cannotWrite(path, QStringLiteral("it does not read back as written"));
}
