#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Files the program keeps for itself, written whole or not at all. Failures raise a RuntimeError
// saying why.
namespace OwnFiles {

// Makes the folder where it is missing.
void prepareFolder(const QString &folder);

// The content of the file at path; none where there is none.
std::optional<QByteArray> read(const QString &path);

// Puts a file with bytes at path in one step, in place of the file there, if any, and makes sure
// all of them are on the disk and read back the same: a full disk fails the write, never leaving a
// short file that passes for the whole.
void replace(const QString &path, const QByteArray &bytes);

} // namespace OwnFiles
