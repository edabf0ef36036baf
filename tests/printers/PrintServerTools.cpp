#include "PrintServerTools.h"

#include "printers/CupsCallThread.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <csignal>

#include <cups/cups.h>

bool privatePrintServerConfigured()
{
    return qEnvironmentVariable("CUPS_SERVER").endsWith(QLatin1String("/cups.sock"));
}

QString runCupsTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    if (!finished)
        process.kill();
    process.waitForFinished();
    const QString description = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                                QString::fromLocal8Bit(process.readAllStandardError());
    [&] {
        QVERIFY2(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(description));
    }();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QString lpstatDefault()
{
    return runCupsTool(QStringLiteral("lpstat"), {QStringLiteral("-d")}).trimmed();
}

void addTestQueue(const QString &name)
{
    runCupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                            QStringLiteral("file:///dev/null"), QStringLiteral("-m"),
                                            QStringLiteral("drv:///sample.drv/generic.ppd")});
}

void removeTestQueue(const QString &name)
{
    runCupsTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

OtherPrintServer::OtherPrintServer(const QString &address) : m_previous(qgetenv("CUPS_SERVER"))
{
    qputenv("CUPS_SERVER", address.toLocal8Bit());
    forgetServer();
}

OtherPrintServer::~OtherPrintServer()
{
    qputenv("CUPS_SERVER", m_previous);
    forgetServer();
}

void OtherPrintServer::forgetServer()
{
    // libcups keeps the server it read first, once per thread: both the program's own print-server
    // thread and this one (Qt's printer support asks from here) read the variable again.
    cupsSetServer(nullptr);
    CupsCallThread::run([] { cupsSetServer(nullptr); });
}

UnreachablePrintServer::UnreachablePrintServer()
    : m_use(std::make_unique<OtherPrintServer>(m_folder.filePath(QStringLiteral("cups.sock"))))
{}

QString UnreachablePrintServer::address() const
{
    return m_folder.filePath(QStringLiteral("cups.sock"));
}

SilentPrintServer::SilentPrintServer()
{
    // The system takes connections on a listening socket by itself; nobody ever reads them.
    m_server.listen(m_folder.filePath(QStringLiteral("cups.sock")));
    m_use = std::make_unique<OtherPrintServer>(m_server.fullServerName());
}

namespace {
const QString kPrintServerScript = QStringLiteral(QUILLBRAE_SOURCE_DIR "/scripts/print-server");
} // namespace

OwnPrintServer::OwnPrintServer()
{
    runCupsTool(kPrintServerScript, {QStringLiteral("start"), m_folder.path()});
    m_use = std::make_unique<OtherPrintServer>(m_folder.path() + QStringLiteral("/cups.sock"));
}

OwnPrintServer::~OwnPrintServer()
{
    m_use.reset();
    stop();
}

void OwnPrintServer::stop()
{
    if (!m_stopped)
        runCupsTool(kPrintServerScript, {QStringLiteral("stop"), m_folder.path()});
    m_stopped = true;
}

void OwnPrintServer::signal(int signalNumber)
{
    QFile pidFile(m_folder.filePath(QStringLiteral("cupsd.pid")));
    if (pidFile.open(QIODevice::ReadOnly))
        ::kill(static_cast<pid_t>(pidFile.readAll().trimmed().toInt()), signalNumber);
}
