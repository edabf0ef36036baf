#pragma once

#include <QString>
#include <QTemporaryDir>

// Puts a stand-in `ping` first on PATH for as long as it lives; it prints the given output.
class FakePing
{
public:
    explicit FakePing(const QString &output);
    ~FakePing();
    FakePing(const FakePing &) = delete;
    FakePing &operator=(const FakePing &) = delete;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousPath;
};

// The output of a ping that got its reply.
extern const char *const kPingReply;
