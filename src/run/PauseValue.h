#pragma once

#include <QLocale>
#include <QString>

#include <functional>
#include <optional>

class Clock;
class ErrorTrap;

// The pause box's number: a decimal number as the user's locale writes it, with optional blanks
// around it, an optional sign, digits with an optional decimal separator and an optional
// exponent ("2.5", " -3 ", "1e1", "2,5" where the comma is the decimal separator). Anything
// else, the empty text included, and a number too large for a double, is not a number.
std::optional<double> pauseValue(const QString &text, const QLocale &locale = QLocale());

// True when the pause box holds a number, that is when a pause is due at all.
bool isPauseNumeric(const QString &text);

// One of the five equal slices of the pause, in seconds; raises a type-mismatch RuntimeError when
// the text is not a number.
double pauseSliceSeconds(const QString &text);

// One pause slice as the print run and the page printer wait it: the test of the pause box on
// testLine and, when it holds a number, the wait on the clock on waitLine, both through the
// routine's trap. pauseText reads the box afresh each time.
void waitPauseSlice(ErrorTrap &trap, Clock &clock, int testLine, int waitLine,
                    const std::function<QString()> &pauseText);
