#pragma once

#include <QString>

enum class MoveOutcome { Moved, TargetExists, Failed };

// Renames the file `from` to `to` unless something is there already, which is left as it is. Where
// the file system can't refuse to replace in the same step, it is checked first: a file that
// appears between the check and the rename is the only one that can be lost. On failure, says why
// in `why`.
MoveOutcome moveWithoutReplacing(const QString &from, const QString &to, QString *why);
