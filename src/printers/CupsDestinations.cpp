#include "printers/CupsDestinations.h"

#include "printers/CupsConnection.h"

CupsDestinations::CupsDestinations(CupsConnection &connection) : m_connection(connection)
{
    m_count = cupsGetDests2(connection.http(), &m_destinations);
    connection.checkAnswered();
    // A server without printers answers "not found"; that is an empty list, not a failure.
    if (m_count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
        throwPrinterError(QStringLiteral("Cannot list the printers: %1").arg(QString::fromUtf8(cupsLastErrorString())));
}

CupsDestinations::~CupsDestinations()
{
    cupsFreeDests(m_count, m_destinations);
}

QStringList CupsDestinations::names() const
{
    QStringList names;
    names.reserve(m_count);
    for (int i = 0; i < m_count; ++i)
        names.append(destinationName(m_destinations[i]));
    return names;
}

const cups_dest_t *CupsDestinations::find(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    // A printer's name never holds a slash: the first one starts the instance.
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    const QByteArray printer = (slash < 0 ? name : name.left(slash)).toUtf8();
    const QByteArray instance = slash < 0 ? QByteArray() : name.mid(slash + 1).toUtf8();
    return cupsGetDest(printer.constData(), slash < 0 ? nullptr : instance.constData(), m_count, m_destinations);
}

QString CupsDestinations::defaultName() const
{
    for (int i = 0; i < m_count; ++i)
        if (m_destinations[i].is_default)
            return destinationName(m_destinations[i]);
    return QString();
}

void CupsDestinations::saveUserDefault(const cups_dest_t *destination)
{
    for (int i = 0; i < m_count; ++i)
        m_destinations[i].is_default = &m_destinations[i] == destination ? 1 : 0;
    const int result = cupsSetDests2(m_connection.http(), m_count, m_destinations);
    m_connection.checkAnswered();
    if (result != 0)
        throwPrinterError(QStringLiteral("Cannot save the default printer in the user's printer options."));
}

QString destinationName(const cups_dest_t &destination)
{
    QString name = QString::fromUtf8(destination.name);
    if (destination.instance)
        name += QLatin1Char('/') + QString::fromUtf8(destination.instance);
    return name;
}
