#pragma once

#include "runtime/Keyring.h"

#include <QHash>

// A keyring in memory, there or not as the test says, so that no test reaches the user's own.
class FakeKeyring : public Keyring
{
public:
    Found read(const QString &key) override
    {
        if (!available)
            return {};
        const auto found = secrets.constFind(key);
        return {true, found == secrets.constEnd() ? std::nullopt : std::optional<QByteArray>(*found)};
    }

    bool write(const QString &key, const QByteArray &secret) override
    {
        if (available)
            secrets.insert(key, secret);
        return available;
    }

    bool available = true;
    QHash<QString, QByteArray> secrets;
};
