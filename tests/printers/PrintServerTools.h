#pragma once

#include <QLocalServer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The CUPS command-line tools, run against the private print server the test script started
// (CUPS_SERVER) with this test process's private home, as a user at a terminal would run them.

// Fails the test unless the private print server is there to be used: no test may fall back on the
// host's own printers.
bool privatePrintServerConfigured();

// Runs program with arguments and gives its standard output; an empty text, and a failed
// QVERIFY in the caller's test, when it cannot run or reports failure.
QString runCupsTool(const QString &program, const QStringList &arguments);

// What "lpstat -d" says the default is.
QString lpstatDefault();

// Adds a queue like the test script's own (any document, printed to /dev/null) or removes it.
void addTestQueue(const QString &name);
void removeTestQueue(const QString &name);

// Points libcups and this process at another server address for as long as it lives.
class OtherPrintServer
{
public:
    explicit OtherPrintServer(const QString &address);
    ~OtherPrintServer();
    OtherPrintServer(const OtherPrintServer &) = delete;
    OtherPrintServer &operator=(const OtherPrintServer &) = delete;

private:
    static void forgetServer();

    QByteArray m_previous;
};

// In place of the private server while it lives: an address where no server listens.
class UnreachablePrintServer
{
public:
    UnreachablePrintServer();
    QString address() const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<OtherPrintServer> m_use;
};

// In place of the private server while it lives: a server that takes every connection and never
// answers.
class SilentPrintServer
{
public:
    SilentPrintServer();
    bool listening() const { return m_server.isListening(); }

private:
    QTemporaryDir m_folder;
    QLocalServer m_server;
    std::unique_ptr<OtherPrintServer> m_use;
};

// A print server of the test's own, with the test queues, in place of the shared one while it
// lives: stopping it or changing its queues leaves the other tests' server alone.
class OwnPrintServer
{
public:
    OwnPrintServer();
    ~OwnPrintServer();
    OwnPrintServer(const OwnPrintServer &) = delete;
    OwnPrintServer &operator=(const OwnPrintServer &) = delete;

    void stop();
    void signal(int signalNumber);

private:
    QTemporaryDir m_folder{QStringLiteral("/tmp/quillbrae-own-XXXXXX")};
    std::unique_ptr<OtherPrintServer> m_use;
    bool m_stopped = false;
};
