#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files the program keeps for itself, in a folder of the user's own. They are read and written
// without ever following a link, so that a link planted among them leads nowhere, and written
// whole or not at all. Failures raise a RuntimeError saying why.
namespace OwnFiles {

// Makes the folder where it is missing; it must then be a folder, not a link, and the user's.
void prepareFolder(const QString &folder);

// The content of the plain file at path; none where there is none, or a link or anything else.
std::optional<QByteArray> read(const QString &path);

// Puts a plain file with bytes at path in one step, in place of the plain file there, if any, and
// makes sure all of them are on the disk and read back the same: a full disk fails the write,
// never leaving a short file that passes for the whole. Anything but a plain file at path is
// refused, and so is a link.
void replace(const QString &path, const QByteArray &bytes);

} // namespace OwnFiles
