#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// A stand-in for the system's ping: a shell script first on PATH for as long as this lives.
class ScriptedPing
{
public:
    ScriptedPing();
    ~ScriptedPing();
    ScriptedPing(const ScriptedPing &) = delete;
    ScriptedPing &operator=(const ScriptedPing &) = delete;

    // Makes ping run this shell script body.
    void behave(const QByteArray &scriptBody);
    // Leaves no ping anywhere on PATH.
    void remove();
    // The arguments of the last run, one per element.
    QStringList arguments() const;

private:
    QTemporaryDir m_folder;
    QByteArray m_originalPath;
};
