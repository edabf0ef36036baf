#pragma once

#include <QString>
#include <QStringList>

#include <cups/cups.h>

class CupsConnection;

// The destinations (printers and classes, and the user's instances of them) as libcups lists them:
// sorted by name, with the user's saved options applied and the current default marked.
class CupsDestinations
{
public:
    // Raises a RuntimeError when the server does not answer or refuses; no printers is no error.
    explicit CupsDestinations(CupsConnection &connection);
    ~CupsDestinations();
    CupsDestinations(const CupsDestinations &) = delete;
    CupsDestinations &operator=(const CupsDestinations &) = delete;

    QStringList names() const;
    // "printer" or "printer/instance", compared as CUPS compares names (case does not matter);
    // nullptr when there is none of that name.
    const cups_dest_t *find(const QString &name) const;
    // The destination in effect as the default; empty when none is.
    QString defaultName() const;

    // Makes the destination the user's default, or with nullptr leaves the user without one, and
    // saves that with the user's printer options, as lpoptions does. Raises a RuntimeError when
    // they cannot be saved.
    void saveUserDefault(const cups_dest_t *destination);

private:
    CupsConnection &m_connection;
    cups_dest_t *m_destinations = nullptr;
    int m_count = 0;
};

// How the program names a destination: "printer", or "printer/instance" for an instance.
QString destinationName(const cups_dest_t &destination);
