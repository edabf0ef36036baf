#include "urllist/Utf8Validator.h"

namespace {
constexpr unsigned char kContinuationLow = 0x80;
constexpr unsigned char kContinuationHigh = 0xBF;
} // namespace

void Utf8Validator::feed(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (!m_valid)
            return;
        const auto byte = static_cast<unsigned char>(c);
        if (m_pending > 0) {
            if (byte < m_low || byte > m_high) {
                m_valid = false;
                return;
            }
            --m_pending;
            m_low = kContinuationLow;
            m_high = kContinuationHigh;
            continue;
        }
        m_low = kContinuationLow;
        m_high = kContinuationHigh;
        if (byte < 0x80)
            continue;
        if (byte >= 0xC2 && byte <= 0xDF) {
            m_pending = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            m_pending = 2;
            if (byte == 0xE0)
                m_low = 0xA0; // shorter forms are overlong
            else if (byte == 0xED)
                m_high = 0x9F; // U+D800..U+DFFF are surrogates
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            m_pending = 3;
            if (byte == 0xF0)
                m_low = 0x90; // overlong
            else if (byte == 0xF4)
                m_high = 0x8F; // above U+10FFFF
        } else {
            m_valid = false;
        }
    }
}
