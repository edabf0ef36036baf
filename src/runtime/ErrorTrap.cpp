#include "runtime/ErrorTrap.h"

#include "runtime/Dialogs.h"
#include "runtime/ProgramLifetime.h"

#include <exception>
#include <new>

const char *const kSupportAddress = "support@orvandel.com";

namespace {
// The build stamp is part of every location text and is deliberately fixed, not computed.
constexpr auto kProjectStamp = "Quillbrae2021/08/31";
constexpr auto kReportTitle = "Application Error";
} // namespace

QString errorLocation(const QString &routine)
{
    return QStringLiteral("in %1.%2 ").arg(QLatin1String(kProjectStamp), routine);
}

QString errorReportText(const QString &description, const QString &location, int line)
{
    return description + QLatin1String("\r\n") + location + QLatin1String("at line ") + QString::number(line) +
           QLatin1String("\r\r") + QLatin1String("Please email screenshot of this message to ") +
           QLatin1String(kSupportAddress);
}

void showErrorReport(Dialogs &dialogs, const RuntimeError &error, const QString &location, int line)
{
    dialogs.message(errorReportText(error.description(), location, line), QLatin1String(kReportTitle),
                    Dialogs::Icon::Warning);
}

ErrorTrap::ErrorTrap(Dialogs &dialogs, QString routine) : m_dialogs(dialogs), m_location(errorLocation(routine))
{}

bool ErrorTrap::test(int number, const std::function<bool()> &condition)
{
    bool result = true;
    run(number, [&] { result = condition(); });
    return result && !programEnding();
}

void ErrorTrap::run(int number, const std::function<void()> &statement)
{
    if (programEnding())
        return;
    m_line = number;
    try {
        statement();
        return;
    } catch (const RuntimeError &error) {
        showErrorReport(m_dialogs, error, m_location, number);
    } catch (const std::bad_alloc &) {
        showErrorReport(m_dialogs, RuntimeError(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory")), m_location,
                        number);
    } catch (const std::exception &error) {
        showErrorReport(m_dialogs, RuntimeError(ErrorNumber::InternalError, QString::fromLocal8Bit(error.what())),
                        m_location, number);
    }
}
