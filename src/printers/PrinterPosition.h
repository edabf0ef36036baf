#pragma once

#include <QString>

// The chosen printer's position as the setting "Combo1" holds it: the decimal text of a 16-bit
// signed integer, blanks around it allowed. Raises "Type mismatch" for text that is not a whole
// number and "Overflow" for one outside -32768..32767.
qint16 storedPrinterPosition(const QString &text);
