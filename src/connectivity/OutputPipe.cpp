#include "connectivity/OutputPipe.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {
void closeDescriptor(int &descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}
} // namespace

OutputPipe::OutputPipe()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return;
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
    // Only our end is non-blocking: the command writes as any program writes to a pipe.
    ::fcntl(m_readEnd, F_SETFL, ::fcntl(m_readEnd, F_GETFL) | O_NONBLOCK);
    m_arrival = std::make_unique<QSocketNotifier>(m_readEnd, QSocketNotifier::Read);
}

OutputPipe::~OutputPipe()
{
    m_arrival.reset();
    closeDescriptor(m_writeEnd);
    closeDescriptor(m_readEnd);
}

void OutputPipe::closeWriteEnd()
{
    closeDescriptor(m_writeEnd);
}

qint64 OutputPipe::read(char *buffer, qint64 size)
{
    if (m_ended)
        return 0;
    for (;;) {
        const ssize_t count = ::read(m_readEnd, buffer, static_cast<size_t>(size));
        if (count > 0)
            return count;
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return -1;
        // The end, or a failure, which ends the output as its end would. A pipe at its end stays
        // readable for good, so it no longer wakes the event loop.
        m_ended = true;
        m_arrival->setEnabled(false);
        return 0;
    }
}
