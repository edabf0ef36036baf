#pragma once

#include <QtGlobal>

// A sitemap may hold at most 50,000 entries in at most 50 MB, uncompressed; a list document of any
// kind is held to the same, so that a damaged or hostile one can't fill the memory. A download
// that grows past the size is cut off, and gzip data is unpacked only up to it.
constexpr int kMaxListEntries = 50'000;
constexpr qsizetype kMegabyte = qsizetype{1024} * 1024;
constexpr qsizetype kMaxListBytes = 50 * kMegabyte;

// A list read from a sitemap, feed or page is printed, or added to the window's list, without
// asking only up to this many pages: such documents easily list thousands.
constexpr int kPagesWithoutAsking = 100;
