#pragma once

#include <QChar>

// C0, DEL and C1: the characters a terminal may take as commands, wherever text from a page or a
// list reaches one (a report line, a file name that is listed).
inline bool isControlCharacter(QChar c)
{
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7f && code <= 0x9f);
}
