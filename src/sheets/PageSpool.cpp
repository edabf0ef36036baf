#include "sheets/PageSpool.h"

#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>

#include <qpdf/InputSource.hh>
#include <qpdf/QPDF.hh>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {
QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// One document of the spool as qpdf reads a file: it moves about in it and reads what it needs, so
// only the parts it has asked for are ever in memory, and only while it uses them.
class SpooledDocument : public InputSource
{
public:
    SpooledDocument(int descriptor, qpdf_offset_t begin, qpdf_offset_t size, std::string name)
        : m_descriptor(descriptor), m_begin(begin), m_size(size), m_name(std::move(name))
    {}

    qpdf_offset_t findAndSkipNextEOL() override
    {
        // Where the line ends, past the line break.
        char c = 0;
        qpdf_offset_t end = -1;
        while (read(&c, 1) == 1) {
            if (c == '\r' || c == '\n') {
                end = m_position - 1;
                break;
            }
        }
        if (end < 0)
            return m_position;
        while (read(&c, 1) == 1) {
            if (c != '\r' && c != '\n') {
                unreadCh(c);
                break;
            }
        }
        return end;
    }
    std::string const &getName() const override { return m_name; }
    qpdf_offset_t tell() override { return m_position; }
    void seek(qpdf_offset_t offset, int whence) override
    {
        const qpdf_offset_t base = whence == SEEK_SET ? 0 : whence == SEEK_END ? m_size : m_position;
        if (base + offset < 0)
            throw std::runtime_error(m_name + ": seek before the start of the document");
        m_position = base + offset;
    }
    void rewind() override { m_position = 0; }
    size_t read(char *into, size_t length) override
    {
        last_offset = m_position;
        const qpdf_offset_t wanted = std::min<qpdf_offset_t>(static_cast<qpdf_offset_t>(length), m_size - m_position);
        if (wanted <= 0)
            return 0;
        ssize_t got = 0;
        do
            got = ::pread(m_descriptor, into, static_cast<size_t>(wanted), m_begin + m_position);
        while (got < 0 && errno == EINTR);
        if (got < 0)
            throw std::runtime_error(m_name + ": " + std::strerror(errno));
        m_position += got;
        return static_cast<size_t>(got);
    }
    void unreadCh(char) override
    {
        if (m_position > 0)
            --m_position;
    }

private:
    int m_descriptor;
    qpdf_offset_t m_begin;
    qpdf_offset_t m_size;
    qpdf_offset_t m_position = 0;
    std::string m_name;
};
} // namespace

PageSpool::PageSpool(const QString &folder)
{
    QByteArray name = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".quillbrae-pages-XXXXXX")));
    m_descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_descriptor < 0)
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("No file can be written in \"%1\": %2").arg(folder, systemReason()));
    // From now on only the descriptor knows the file: the system frees it as the program ends.
    ::unlink(name.constData());
}

PageSpool::~PageSpool()
{
    ::close(m_descriptor);
}

int PageSpool::keep(const QByteArray &pdf)
{
    qint64 written = 0;
    while (written < pdf.size()) {
        const ssize_t wrote = ::pwrite(m_descriptor, pdf.constData() + written,
                                       static_cast<size_t>(pdf.size() - written), m_end + written);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = ENOSPC;
            throw RuntimeError(ErrorNumber::PathFileAccessError,
                               QStringLiteral("The page could not be kept on the disk: %1").arg(systemReason()));
        }
        written += wrote;
    }
    m_documents.push_back({m_end, pdf.size()});
    m_end += pdf.size();
    return count() - 1;
}

std::unique_ptr<QPDF> PageSpool::read(int number) const
{
    const Kept &kept = m_documents.at(static_cast<size_t>(number));
    auto document = std::make_unique<QPDF>();
    document->setSuppressWarnings(true);
    document->processInputSource(
        std::make_shared<SpooledDocument>(m_descriptor, kept.offset, kept.size, "page " + std::to_string(number + 1)));
    return document;
}
