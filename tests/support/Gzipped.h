#pragma once

#include <QByteArray>

// The bytes as gzip packs them, as a server or a file would hold a packed sitemap.
QByteArray gzipped(const QByteArray &bytes);
