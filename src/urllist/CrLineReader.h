#pragma once

#include <QByteArray>

class QIODevice;

// Reads a device in lines that end at a CR, the way list files are read: a line is the bytes up
// to the next CR or the end of the data, and the CR, with an LF right after it, is consumed. An
// LF on its own does not end a line. The device is read in pieces; only the current line is held
// whole. A failed read raises a RuntimeError.
class CrLineReader
{
public:
    explicit CrLineReader(QIODevice &device);

    bool atEnd();
    QByteArray readLine();

private:
    bool fill();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_position = 0;
};
