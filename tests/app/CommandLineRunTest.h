#pragma once

#include "CommandLineTests.h"
#include "PrintServerTools.h"
#include "printing/TestHttpServer.h"
#include "runtime/EventSleep.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <functional>

// The base of the tests of the command line's run: in this process for the most part, and as the
// real executable in a child process, with no display, for what only a process shows; on the
// private print server, printing pages this process serves.
class CommandLineRunTest : public QObject
{
protected:
    static inline const QString kQueue = QStringLiteral("Test-Charlie");
    static inline const QString kSystemDefault = QStringLiteral("system default destination: Test-Bravo");

    TestHttpServer web;
    QString listFile;
    // Runs in the child before the program starts.
    std::function<void()> childSetUp = [] {};

    // For each test class's initTestCase: the print server checked, the pages served.
    void prepare()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        useTheListFile();
        serveTestPages(web);
    }

    // The list the tests write, after a test that read its list from elsewhere.
    void useTheListFile() { listFile = testHome() + QStringLiteral("/list.txt"); }

    // Starts the program; the caller waits for it with the process's own event loop running, so that
    // this process's web server answers meanwhile.
    // With onTheDisplay, it starts as from a terminal of the desktop this test runs on.
    void start(QProcess &program, const QStringList &options, const QString &locale = QString(),
               bool onTheDisplay = false)
    {
        program.setChildProcessModifier(childSetUp);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!onTheDisplay)
            environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // This process's own start-up turned the sandbox off when it runs as root; the program
        // decides for itself, as for a user.
        environment.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        if (!locale.isEmpty())
            environment.insert(QStringLiteral("LC_ALL"), locale);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUILLBRAE_EXECUTABLE), QStringList{QStringLiteral("--print"), listFile} + options);
    }

    // The real program in a child process, for what only a process shows: its exit, its standard
    // streams, what it keeps for the next process, what signals do to it.
    Run runProcess(const QStringList &options, const QString &locale = QString())
    {
        QProcess program;
        start(program, options, locale);
        if (!sleepUntil([&] { return program.state() == QProcess::NotRunning; }, QDeadlineTimer(120'000)))
            return {};
        return runOf(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                     QString::fromUtf8(program.readAllStandardError()),
                     QString::fromUtf8(program.readAllStandardOutput()));
    }

    // The run in this process, as the program makes it.
    Run run(const QStringList &options) { return runInProcess(listFile, options); }

    void writeList(const QStringList &addresses)
    {
        QFile file(listFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((addresses.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }

    QStringList goodPages() const
    {
        return {web.url(QStringLiteral("/one.html")), web.url(QStringLiteral("/two.html")),
                web.url(QStringLiteral("/three.html"))};
    }
};
