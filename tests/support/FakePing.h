#pragma once

#include "support/ScriptedPing.h"

#include <QString>

// A stand-in `ping` first on PATH for as long as it lives, printing the given output.
class FakePing
{
public:
    explicit FakePing(const QString &output);

private:
    ScriptedPing m_ping;
};

// The output of a ping that got its reply.
extern const char *const kPingReply;
