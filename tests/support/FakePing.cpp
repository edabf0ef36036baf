#include "support/FakePing.h"

#include <QFile>

const char *const kPingReply = "PING 127.0.0.1 (127.0.0.1) 56(84) bytes of data.\n"
                               "64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.040 ms\n";

FakePing::FakePing(const QString &output) : m_previousPath(qgetenv("PATH"))
{
    QFile script(m_dir.filePath(QStringLiteral("ping")));
    if (script.open(QIODevice::WriteOnly)) {
        QByteArray quoted = output.toUtf8();
        quoted.replace('\'', "'\\''");
        script.write("#!/bin/sh\nprintf '%s' '" + quoted + "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", m_dir.path().toLocal8Bit() + ':' + m_previousPath);
}

FakePing::~FakePing()
{
    qputenv("PATH", m_previousPath);
}
