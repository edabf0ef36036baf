#pragma once

#include <QSocketNotifier>
#include <QtGlobal>

#include <memory>

// The pipe a captured command writes its output into, read by this program alone. QProcess reads
// pipes of its own, but tells only of the command's exit, not of the end of its output while the
// command runs on, nor of output that what the command left running writes after it; the capture
// must see both, so it reads a pipe of its own.
class OutputPipe
{
public:
    // isOpen() tells whether a pipe could be made.
    OutputPipe();
    ~OutputPipe();
    OutputPipe(const OutputPipe &) = delete;
    OutputPipe &operator=(const OutputPipe &) = delete;

    bool isOpen() const { return m_readEnd >= 0; }
    // The end the command writes to, until closeWriteEnd().
    int writeEnd() const { return m_writeEnd; }
    // Once the command has its copy: from then on the output ends when the command and whatever
    // it started have closed theirs.
    void closeWriteEnd();

    // Reads at most size bytes without waiting: the number read, 0 at the end of the output, -1
    // when nothing has arrived yet. While the output has not ended, its arrival wakes the event
    // loop.
    qint64 read(char *buffer, qint64 size);
    bool ended() const { return m_ended; }

private:
    int m_readEnd = -1;
    int m_writeEnd = -1;
    bool m_ended = false;
    std::unique_ptr<QSocketNotifier> m_arrival;
};
