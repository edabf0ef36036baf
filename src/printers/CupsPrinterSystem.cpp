#include "printers/CupsPrinterSystem.h"

#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"

namespace {
// The variable libcups takes the default from: LPDEST, else PRINTER unless it is "lp" (the
// traditional name that means no choice at all).
std::optional<QByteArray> defaultPrinterVariable()
{
    if (qEnvironmentVariableIsSet("LPDEST"))
        return QByteArray("LPDEST");
    if (qEnvironmentVariableIsSet("PRINTER") && qgetenv("PRINTER") != "lp")
        return QByteArray("PRINTER");
    return std::nullopt;
}
} // namespace

CupsPrinterSystem::CupsPrinterSystem(std::chrono::milliseconds timeLimit) : m_timeLimit(timeLimit)
{}

QStringList CupsPrinterSystem::printerNames()
{
    CupsConnection connection(m_timeLimit);
    return CupsDestinations(connection).names();
}

QString CupsPrinterSystem::defaultPrinterName()
{
    CupsConnection connection(m_timeLimit);
    cups_dest_t *destination = cupsGetNamedDest(connection.http(), nullptr, nullptr);
    if (!destination) {
        connection.checkAnswered();
        // libcups says why: no default anywhere, or the one named does not exist.
        throwPrinterError(QString::fromUtf8(cupsLastErrorString()));
    }
    QString name = destinationName(*destination);
    cupsFreeDests(1, destination);
    return name;
}

void CupsPrinterSystem::setDefaultPrinter(const QString &name)
{
    // No name at all is only accepted as the way back to having no default, where the program
    // found none.
    const bool backToFound = m_found && sameDestination(name, m_found->name);
    if (name.isEmpty() && !backToFound)
        throwPrinterError(QStringLiteral("No printer was named."));
    if (backToFound && putBackWithoutServer()) {
        forgetFound();
        return;
    }

    CupsConnection connection(m_timeLimit);
    CupsDestinations destinations(connection);
    const cups_dest_t *chosen = destinations.find(name);
    if (!chosen && !name.isEmpty())
        throwPrinterError(QStringLiteral("There is no printer named \"%1\".").arg(name));
    const QString chosenName = chosen ? destinationName(*chosen) : QString();

    if (!m_found) {
        FoundDefault found{destinations.defaultName(), std::nullopt, UserPrinterOptions::read()};
        if (sameDestination(chosenName, found.name))
            return; // already the default: nothing to change, nothing to put back later
        if (const auto variable = defaultPrinterVariable())
            found.environment = EnvironmentDefault{*variable, qgetenv(variable->constData())};
        m_found = found;
    }

    if (m_found->environment) {
        qputenv(m_found->environment->variable.constData(), chosenName.toUtf8());
        return;
    }
    // A switch; or the way back after someone else has changed the user's printer options
    // meanwhile, where only the default is put back and their change is kept.
    destinations.saveUserDefault(backToFound && !m_found->userOptions.hasDefault() ? nullptr : chosen);
    if (backToFound)
        forgetFound();
    else
        m_written = UserPrinterOptions::read();
}

bool CupsPrinterSystem::putBackWithoutServer()
{
    // Neither this process's environment nor the user's own file needs the print server, so the
    // default comes back even when the server has gone away since the switch.
    if (m_found->environment) {
        qputenv(m_found->environment->variable.constData(), m_found->environment->value);
        return true;
    }
    if (m_written && UserPrinterOptions::read() == *m_written) {
        m_found->userOptions.restore();
        return true;
    }
    return false;
}

void CupsPrinterSystem::forgetFound()
{
    m_found.reset();
    m_written.reset();
}
