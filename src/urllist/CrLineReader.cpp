#include "urllist/CrLineReader.h"

#include "runtime/RuntimeError.h"

#include <QIODevice>

namespace {
constexpr qint64 kPieceSize = qint64{64} * 1024;
} // namespace

CrLineReader::CrLineReader(QIODevice &device) : m_device(device)
{}

bool CrLineReader::fill()
{
    m_buffer.resize(kPieceSize);
    const qint64 read = m_device.read(m_buffer.data(), kPieceSize);
    if (read < 0) {
        m_buffer.clear();
        m_position = 0;
        throw RuntimeError(ErrorNumber::DeviceIOError, QStringLiteral("Device I/O error"));
    }
    m_buffer.truncate(read);
    m_position = 0;
    return read > 0;
}

bool CrLineReader::atEnd()
{
    return m_position >= m_buffer.size() && !fill();
}

QByteArray CrLineReader::readLine()
{
    QByteArray line;
    while (!atEnd()) {
        const qsizetype cr = m_buffer.indexOf('\r', m_position);
        if (cr < 0) {
            line.append(QByteArrayView(m_buffer).sliced(m_position));
            m_position = m_buffer.size();
            continue;
        }
        line.append(QByteArrayView(m_buffer).sliced(m_position, cr - m_position));
        m_position = cr + 1;
        if (!atEnd() && m_buffer.at(m_position) == '\n')
            ++m_position;
        return line;
    }
    return line;
}
