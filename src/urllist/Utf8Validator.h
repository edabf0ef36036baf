#pragma once

#include <QByteArrayView>

// Tells whether a byte stream, fed in pieces of any size, is well-formed UTF-8: no stray or
// missing continuation bytes, no overlong forms, no surrogates, nothing above U+10FFFF, and no
// sequence cut off at the end.
class Utf8Validator
{
public:
    void feed(QByteArrayView bytes);
    // True when everything fed so far is valid and ends on a whole character.
    bool validSoFar() const { return m_valid && m_pending == 0; }
    bool failed() const { return !m_valid; }

private:
    bool m_valid = true;
    int m_pending = 0;       // continuation bytes still expected
    unsigned char m_low = 0; // bounds of the next continuation byte, which narrow after some leads
    unsigned char m_high = 0;
};
