#include "urllist/Gunzip.h"

#include "urllist/BadListError.h"
#include "urllist/ListLimits.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {
constexpr qsizetype kPieceSize = qsizetype{256} * 1024;
// Window bits for zlib: the largest window, and a gzip header and trailer around the data.
constexpr int kGzipWindowBits = 16 + MAX_WBITS;

// zlib counts in unsigned ints: a piece of input is offered at most that much at a time.
uInt chunk(qsizetype bytes)
{
    return static_cast<uInt>(std::min<qsizetype>(bytes, std::numeric_limits<uInt>::max()));
}

class Inflater
{
public:
    Inflater()
    {
        if (inflateInit2(&m_stream, kGzipWindowBits) != Z_OK)
            throw BadListError(QStringLiteral("the gzip data cannot be unpacked here (zlib failed to start)"));
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    z_stream *operator->() { return &m_stream; }
    z_stream *get() { return &m_stream; }

private:
    z_stream m_stream{};
};

BadListError tooBig(qsizetype limit)
{
    return BadListError(QStringLiteral("it unpacks to more than %1 MB").arg(limit / kMegabyte));
}

BadListError damaged()
{
    return BadListError(QStringLiteral("the gzip data is damaged or cut short"));
}
} // namespace

bool isGzip(QByteArrayView bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
           static_cast<unsigned char>(bytes[1]) == 0x8B;
}

QByteArray gunzip(QByteArrayView packed, qsizetype limit)
{
    Inflater inflater;
    QByteArray unpacked;
    qsizetype consumed = 0;
    for (;;) {
        inflater->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.data() + consumed));
        inflater->avail_in = chunk(packed.size() - consumed);
        const qsizetype offered = inflater->avail_in;
        // One piece past the limit is as far as the output ever grows.
        if (unpacked.size() > limit)
            throw tooBig(limit);
        const qsizetype before = unpacked.size();
        unpacked.resize(before + kPieceSize);
        inflater->next_out = reinterpret_cast<Bytef *>(unpacked.data() + before);
        inflater->avail_out = static_cast<uInt>(kPieceSize);
        const int result = inflate(inflater.get(), Z_NO_FLUSH);
        unpacked.resize(before + kPieceSize - inflater->avail_out);
        consumed += offered - inflater->avail_in;
        if (result == Z_STREAM_END) {
            // gzip files may be several members in a row, each a gzip stream of its own.
            if (consumed < packed.size() && isGzip(packed.sliced(consumed))) {
                if (inflateReset(inflater.get()) != Z_OK)
                    throw damaged();
                continue;
            }
            break;
        }
        if (result != Z_OK && result != Z_BUF_ERROR)
            throw damaged();
        // No progress with input left to give: the data ends before the stream does.
        if (result == Z_BUF_ERROR && consumed >= packed.size())
            throw damaged();
    }
    if (unpacked.size() > limit)
        throw tooBig(limit);
    return unpacked;
}
