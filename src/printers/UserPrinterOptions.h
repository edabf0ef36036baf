#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The user's own printer options file, where libcups keeps the per-user default printer (its
// "Default" line) and the printer options the user saved; the store "lpoptions -d" writes. The
// program changes it only through libcups, and reads it only to put back exactly what it found.
class UserPrinterOptions
{
public:
    // The file as it is now.
    static UserPrinterOptions read();

    // ~/.cups/lpoptions, with the home folder from HOME, else from the user's account, as
    // libcups 2.4 finds it (for root too).
    static QString path();

    bool exists() const { return m_exists; }
    // Whether the file names a per-user default printer.
    bool hasDefault() const { return !defaultName().isEmpty(); }
    // The per-user default printer it names ("printer" or "printer/instance"); empty for none.
    QString defaultName() const;

    // Writes this content back, or removes the file (and its folder, if this state had none and
    // it is empty) when it did not exist. Raises a RuntimeError when that fails.
    void restore() const;

    // The state as a record on disk keeps it, and back; none for a record that does not hold one.
    QJsonObject toJson() const;
    static std::optional<UserPrinterOptions> fromJson(const QJsonObject &json);

    bool operator==(const UserPrinterOptions &other) const
    {
        return m_exists == other.m_exists && m_content == other.m_content;
    }
    bool operator!=(const UserPrinterOptions &other) const { return !(*this == other); }

private:
    bool m_exists = false;
    bool m_folderExists = false;
    QByteArray m_content;
};
