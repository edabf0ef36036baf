#pragma once

#include <QByteArrayView>
#include <QString>

class QIODevice;

// How the bytes of a list file become text. A file that is valid UTF-8 throughout is read as
// UTF-8; any other file is read as Latin-1, where every byte is a character, so nothing is lost
// or turned into a replacement character. A UTF-8 byte-order mark at the start is not text.
class ListFileText
{
public:
    // Reads the whole device in pieces to decide, then puts it back at its start.
    // A failed read or seek raises a RuntimeError.
    static ListFileText detect(QIODevice &device);

    bool isUtf8() const { return m_utf8; }
    // Bytes at the start of the file that are not text.
    qint64 byteOrderMarkLength() const { return m_byteOrderMarkLength; }
    QString decode(QByteArrayView bytes) const;

private:
    bool m_utf8 = true;
    qint64 m_byteOrderMarkLength = 0;
};
