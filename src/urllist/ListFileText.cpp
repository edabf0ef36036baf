#include "urllist/ListFileText.h"

#include "shell/ProgramLifetime.h"
#include "shell/RuntimeError.h"
#include "urllist/Utf8Validator.h"

#include <QCoreApplication>
#include <QIODevice>

namespace {
constexpr qint64 kPieceSize = qint64{256} * 1024;
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

RuntimeError readFailure()
{
    return RuntimeError(ErrorNumber::DeviceIOError, QStringLiteral("Device I/O error"));
}
} // namespace

ListFileText ListFileText::detect(QIODevice &device)
{
    ListFileText text;
    Utf8Validator validator;
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    bool first = true;
    while (!validator.failed()) {
        const qint64 read = device.read(piece.data(), kPieceSize);
        if (read < 0)
            throw readFailure();
        if (read == 0)
            break;
        const QByteArrayView bytes(piece.constData(), read);
        if (first && bytes.startsWith(kByteOrderMark))
            text.m_byteOrderMarkLength = kByteOrderMark.size();
        first = false;
        validator.feed(bytes);
        // A big file takes a moment to check: the window stays responsive meanwhile.
        QCoreApplication::processEvents();
        if (programEnding())
            break;
    }
    text.m_utf8 = validator.validSoFar();
    if (!device.seek(text.m_byteOrderMarkLength))
        throw readFailure();
    return text;
}

QString ListFileText::decode(QByteArrayView bytes) const
{
    return m_utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}
