#pragma once

#include "runtime/Keyring.h"

// The desktop's keyring, the secret service on the session bus (GNOME Keyring, KWallet), through
// QtKeychain, under the program's name. Never falls back to a file: without a keyring nothing is
// kept.
class DesktopKeyring : public Keyring
{
public:
    Found read(const QString &key) override;
    bool write(const QString &key, const QByteArray &secret) override;
};
