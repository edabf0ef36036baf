#include "connectivity/CommandLineWords.h"

#include <utility>

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// Inside double quotes a backslash keeps its meaning only before these.
bool escapableInDoubleQuotes(QChar c)
{
    return QStringView(u"$`\"\\\n").contains(c);
}
} // namespace

std::optional<QStringList> splitCommandLineWords(const QString &commandLine)
{
    enum class Quoting { None, Single, Double };
    Quoting quoting = Quoting::None;
    QStringList words;
    QString word;
    bool inWord = false; // a quoted empty text ("" or '') is a word too
    const qsizetype length = commandLine.size();

    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = commandLine.at(i);
        const bool hasNext = i + 1 < length;
        const QChar next = hasNext ? commandLine.at(i + 1) : QChar();
        switch (quoting) {
        case Quoting::Single:
            if (c == QLatin1Char('\''))
                quoting = Quoting::None;
            else
                word += c;
            break;
        case Quoting::Double:
            if (c == QLatin1Char('"')) {
                quoting = Quoting::None;
            } else if (c == QLatin1Char('\\') && hasNext && escapableInDoubleQuotes(next)) {
                if (next != QLatin1Char('\n'))
                    word += next;
                ++i;
            } else {
                word += c;
            }
            break;
        case Quoting::None:
            if (c == QLatin1Char('\\') && next == QLatin1Char('\n')) {
                ++i; // a continued line: neither character belongs to a word
            } else if (isBlank(c)) {
                if (inWord)
                    words.append(std::exchange(word, QString()));
                inWord = false;
            } else {
                inWord = true;
                if (c == QLatin1Char('\''))
                    quoting = Quoting::Single;
                else if (c == QLatin1Char('"'))
                    quoting = Quoting::Double;
                else if (c == QLatin1Char('\\') && hasNext)
                    word += commandLine.at(++i);
                else
                    word += c; // a backslash that ends the line stands for itself
            }
            break;
        }
    }
    if (quoting != Quoting::None)
        return std::nullopt;
    if (inWord)
        words.append(word);
    return words;
}
