#include "urllist/ListFileText.h"

#include "runtime/EventSleep.h"
#include "runtime/PieceDecoder.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

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
    // Qt's decoder is strict: stray or missing continuation bytes, overlong forms, surrogates and
    // code points above U+10FFFF all count as errors, and it carries a character split between
    // pieces over to the next one.
    PieceDecoder validator(QStringDecoder::Utf8);
    QByteArray piece(kPieceSize, Qt::Uninitialized);
    bool first = true;
    while (!validator.hasError()) {
        const qint64 read = device.read(piece.data(), kPieceSize);
        if (read < 0)
            throw readFailure();
        if (read == 0)
            break;
        const QByteArrayView bytes(piece.constData(), read);
        if (first && bytes.startsWith(kByteOrderMark))
            text.m_byteOrderMarkLength = kByteOrderMark.size();
        first = false;
        // The decoder works only when its result is taken.
        const QString decoded = validator.decode(bytes);
        Q_UNUSED(decoded)
        // A big file takes a moment to check: the window stays responsive meanwhile.
        letEventsRun();
        if (programEnding())
            break;
    }
    // A character cut off at the end of the file is no valid UTF-8 either.
    text.m_utf8 = !validator.hasError() && !validator.holdsPartialCharacter();
    if (!device.seek(text.m_byteOrderMarkLength))
        throw readFailure();
    return text;
}

QString ListFileText::decode(QByteArrayView bytes) const
{
    return m_utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}
