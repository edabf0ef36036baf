#include "support/FakePing.h"

const char *const kPingReply = "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
                               "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.040 ms\n";

FakePing::FakePing(const QString &output)
{
    QByteArray quoted = output.toUtf8();
    quoted.replace('\'', "'\\''");
    m_ping.behave("printf '%s' '" + quoted + "'");
}
