#include "destinations/PartFile.h"

#include "runtime/RuntimeError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

// Written with the system's own calls rather than QFile, which loses the reason of a write that
// fails in its buffer ("Unknown error" where the disk is full).
PartFile::PartFile(const QString &folder, QString failure)
    : m_path(QDir(folder).filePath(QStringLiteral(".quillbrae-%1.part")
                                       .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')))),
      m_failure(std::move(failure))
{
    constexpr mode_t kAsAnyNewFile = 0666;
    m_descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kAsAnyNewFile);
    if (m_descriptor < 0)
        fail();
}

PartFile::~PartFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    if (!m_placed)
        ::unlink(QFile::encodeName(m_path).constData());
}

void PartFile::write(const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t wrote = ::write(m_descriptor, data, static_cast<size_t>(size));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote == 0)
            errno = EIO;
        if (wrote <= 0)
            fail();
        data += wrote;
        size -= wrote;
    }
}

void PartFile::finish()
{
    if (::fdatasync(m_descriptor) != 0)
        fail();
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (::close(descriptor) != 0)
        fail();
}

void PartFile::fail() const
{
    fail(QString::fromLocal8Bit(std::strerror(errno)));
}

void PartFile::fail(const QString &why) const
{
    throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("%1: %2").arg(m_failure, why));
}
