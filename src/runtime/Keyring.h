#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Where the program keeps the passwords a user asked it to remember: the desktop's keyring, never
// the settings file. A seam, so that tests neither read nor write the user's real keyring.
class Keyring
{
public:
    struct Found
    {
        // False when there is no keyring to ask (no secret service on the session bus): nothing can
        // be remembered then.
        bool available = false;
        std::optional<QByteArray> secret;
    };

    virtual ~Keyring() = default;
    // The secret kept under the key, if any. Keeps the event loop running while it waits.
    virtual Found read(const QString &key) = 0;
    // Keeps the secret under the key; false when it could not be kept.
    virtual bool write(const QString &key, const QByteArray &secret) = 0;
};
