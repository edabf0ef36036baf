#include "support/ScriptedPing.h"

#include <QFile>
#include <QTest>

ScriptedPing::ScriptedPing() : m_originalPath(qgetenv("PATH"))
{
    qputenv("PATH", QFile::encodeName(m_folder.path()) + ':' + m_originalPath);
}

ScriptedPing::~ScriptedPing()
{
    qputenv("PATH", m_originalPath);
}

void ScriptedPing::behave(const QByteArray &scriptBody)
{
    QFile script(m_folder.filePath(QStringLiteral("ping")));
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(m_folder.filePath(QStringLiteral("args"))) +
                 "'\n" + scriptBody + '\n');
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void ScriptedPing::remove()
{
    QFile::remove(m_folder.filePath(QStringLiteral("ping")));
    qputenv("PATH", QFile::encodeName(m_folder.path()));
}

QStringList ScriptedPing::arguments() const
{
    QFile file(m_folder.filePath(QStringLiteral("args")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
