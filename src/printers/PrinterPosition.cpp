#include "printers/PrinterPosition.h"

#include "runtime/RuntimeError.h"

#include <limits>

qint16 storedPrinterPosition(const QString &text)
{
    const QString number = text.trimmed();
    bool isWholeNumber = !number.isEmpty();
    for (int i = 0; i < number.size() && isWholeNumber; ++i) {
        const QChar c = number.at(i);
        isWholeNumber = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                        (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')) && number.size() > 1);
    }
    if (!isWholeNumber)
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch"));
    bool fits = false;
    const qlonglong value = number.toLongLong(&fits);
    if (!fits || value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw RuntimeError(ErrorNumber::Overflow, QStringLiteral("Overflow"));
    return static_cast<qint16>(value);
}
