#include "printers/JobOption.h"

#include <QRegularExpression>

namespace {
// Options that mean nothing without a value; other names alone are switches, as lp reads them.
const QStringList kValuedOptions{QStringLiteral("media"), QStringLiteral("print-color-mode"),
                                 QStringLiteral("print-quality"), QStringLiteral("number-up")};

bool matchesWhole(const QString &pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

// Why the value does not fit the option, or nothing when it does or the option is not one the
// program knows.
QString valueProblem(const JobOption &option)
{
    const QString &value = option.value;
    if (option.name == QLatin1String("copies")) {
        bool isNumber = false;
        const int copies = value.toInt(&isNumber);
        if (!isNumber || copies < 1 || copies > kMostCopies)
            return QStringLiteral("copies must be a number from 1 to %1").arg(kMostCopies);
    } else if (option.name == QLatin1String("sides")) {
        const QStringList &sides = knownSides();
        if (!sides.contains(value))
            return QStringLiteral("sides must be one of %1").arg(sides.join(QStringLiteral(", ")));
    } else if (option.name == QLatin1String("orientation-requested")) {
        if (!matchesWhole(QStringLiteral("[3-6]"), value))
            return QStringLiteral("orientation-requested must be 3 (portrait), 4 (landscape), 5 or 6");
    } else if (option.name == QLatin1String("page-ranges")) {
        if (!matchesWhole(QStringLiteral("[1-9][0-9]*(-[1-9][0-9]*)?(,[1-9][0-9]*(-[1-9][0-9]*)?)*"), value))
            return QStringLiteral("page-ranges must be pages and ranges such as 1-3,5");
    } else if (option.name == QLatin1String("landscape")) {
        if (!value.isEmpty() && value != QLatin1String("true"))
            return QStringLiteral("landscape takes no value");
    } else if (value.isEmpty() && kValuedOptions.contains(option.name)) {
        return QStringLiteral("%1 needs a value, as in %1=VALUE").arg(option.name);
    }
    return {};
}
} // namespace

std::variant<JobOption, QString> parseJobOption(const QString &text)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    JobOption option{equals < 0 ? text : text.left(equals), equals < 0 ? QString() : text.mid(equals + 1)};
    // Option names are words of letters, digits and dashes; a value with spaces, quotes or control
    // characters would be split or cut by the server's option syntax.
    if (!matchesWhole(QStringLiteral("[A-Za-z][A-Za-z0-9_.-]*"), option.name))
        return QStringLiteral("The job option '%1' is not NAME=VALUE, such as copies=2.").arg(text);
    if (matchesWhole(QStringLiteral(".*[\\s\"'\\\\\\x00-\\x1f\\x7f].*"), option.value))
        return QStringLiteral("The value of the job option '%1' has spaces, quotes or control characters.").arg(text);
    if (const QString problem = valueProblem(option); !problem.isEmpty())
        return QStringLiteral("The job option '%1' is wrong: %2.").arg(text, problem);
    return option;
}

bool isLandscapeOrientation(const QString &orientationRequested)
{
    return orientationRequested == QLatin1String("4") || orientationRequested == QLatin1String("5");
}
