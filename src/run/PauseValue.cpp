#include "run/PauseValue.h"

#include "runtime/Clock.h"
#include "runtime/ErrorTrap.h"
#include "runtime/RuntimeError.h"

#include <cmath>

namespace {
constexpr int kSlicesPerAddress = 5;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads the text against the locale's symbols and rewrites it in the C locale's, so that the
// one conversion below reads every locale alike. Empty when the text is not a number.
// QLocale::toDouble reads differently: it takes "inf" and "nan", a minus sign the locale does not
// use, and the locale's own digits, and refuses a plain "e" exponent where the locale writes
// exponents otherwise, so the pause box would no longer read the texts it always has.
QByteArray plainNumber(const QString &text, const QLocale &locale)
{
    const QString number = text.trimmed();
    QByteArray plain;
    qsizetype at = 0;
    auto takeSign = [&] {
        for (const QString &minus : {locale.negativeSign(), QStringLiteral("-")})
            if (!minus.isEmpty() && number.mid(at).startsWith(minus)) {
                plain += '-';
                at += minus.size();
                return;
            }
        for (const QString &plus : {locale.positiveSign(), QStringLiteral("+")})
            if (!plus.isEmpty() && number.mid(at).startsWith(plus)) {
                at += plus.size();
                return;
            }
    };
    auto takeDigits = [&] {
        qsizetype count = 0;
        while (at < number.size() && isAsciiDigit(number.at(at))) {
            plain += static_cast<char>(number.at(at).unicode());
            ++at;
            ++count;
        }
        return count;
    };

    takeSign();
    qsizetype mantissaDigits = takeDigits();
    const QString separator = locale.decimalPoint();
    if (!separator.isEmpty() && number.mid(at).startsWith(separator)) {
        plain += '.';
        at += separator.size();
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0)
        return {};
    if (at < number.size() && (number.at(at) == QLatin1Char('e') || number.at(at) == QLatin1Char('E'))) {
        plain += 'e';
        ++at;
        takeSign();
        if (takeDigits() == 0)
            return {};
    }
    return at == number.size() ? plain : QByteArray();
}
} // namespace

std::optional<double> pauseValue(const QString &text, const QLocale &locale)
{
    const QByteArray plain = plainNumber(text, locale);
    if (plain.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(QLatin1String(plain), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isPauseNumeric(const QString &text)
{
    return pauseValue(text).has_value();
}

double pauseSliceSeconds(const QString &text)
{
    const std::optional<double> value = pauseValue(text);
    if (!value)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch"));
    return *value / kSlicesPerAddress;
}

void waitPauseSlice(ErrorTrap &trap, Clock &clock, int testLine, int waitLine,
                    const std::function<QString()> &pauseText)
{
    if (trap.test(testLine, [&] { return isPauseNumeric(pauseText()); }))
        trap.line(waitLine, [&] { clock.waitSeconds(pauseSliceSeconds(pauseText())); });
}
