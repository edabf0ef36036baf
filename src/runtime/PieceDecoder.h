#pragma once

#include <QStringDecoder>

// Decodes text that arrives in pieces as one stream, so that a character split between two pieces
// comes out whole, and tells whether the stream stopped in the middle of a character.
class PieceDecoder : public QStringDecoder
{
public:
    explicit PieceDecoder(Encoding encoding) : QStringDecoder(encoding) {}

    // Bytes of a character whose rest never came.
    bool holdsPartialCharacter() const { return state.remainingChars > 0; }
};
