#include "connectivity/CommandOutput.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QString capture(const QString &commandLine, bool out = true, bool err = false)
{
    return CaptureCommandOutput(commandLine, out, err, true);
}

// True once the process is gone or only a zombie waiting for whoever adopted it.
bool processEnded(const QString &pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid.trimmed()));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
}

// A test that hangs shows up as this bound broken long before the test runner's own time-out.
constexpr qint64 kHangBound = 30000;
} // namespace

class CommandOutputTest : public QObject
{
    Q_OBJECT

private slots:
    // Whatever a capture ran, none of it is still running or waiting to be reaped.
    void cleanup()
    {
        errno = 0;
        QCOMPARE(waitpid(-1, nullptr, WNOHANG), -1);
        QCOMPARE(errno, ECHILD);
    }

    void silentCommandsGiveEmptyText() { QCOMPARE(capture(QStringLiteral("true")), QString()); }

    void commandGetsNoInput()
    {
        // While it runs, this program's own input holds a line that cat would copy if it saw it.
        int input[2];
        QCOMPARE(pipe(input), 0);
        QCOMPARE(write(input[1], "leaked\n", 7), 7);
        close(input[1]);
        const int ownInput = dup(STDIN_FILENO);
        dup2(input[0], STDIN_FILENO);
        close(input[0]);
        const QString output = capture(QStringLiteral("cat"));
        dup2(ownInput, STDIN_FILENO);
        close(ownInput);
        QCOMPARE(output, QString());
    }

    void longOutputComesBackWholeAndInOrder()
    {
        QString expected;
        for (int i = 1; i <= 3000; ++i)
            expected += QString::number(i) + QLatin1Char('\n');
        QCOMPARE(capture(QStringLiteral("seq 1 3000")), expected);
    }

    void streamsAreCapturedAsAsked()
    {
        const QString bothStreams = QStringLiteral("sh -c 'echo out; echo err >&2'");
        QCOMPARE(capture(bothStreams, true, false), QStringLiteral("out\n"));
        QCOMPARE(capture(bothStreams, false, true), QStringLiteral("err\n"));

        const QString alternating =
            QStringLiteral("sh -c 'for i in 1 2 3 4 5 6; do echo o$i; echo e$i >&2; sleep 0.01; done'");
        QString expected;
        for (int i = 1; i <= 6; ++i)
            expected += QStringLiteral("o%1\ne%1\n").arg(i);
        QCOMPARE(capture(alternating, true, true), expected);
    }

    void programThatCannotStartGivesTheFailureText_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::newRow("no such program") << QStringLiteral("no-such-program-anywhere --help");
        QTest::newRow("no such path") << QStringLiteral("/no/such/folder/ping -c 1");
        QTest::newRow("not executable") << QStringLiteral("/etc/passwd");
        QTest::newRow("empty line") << QStringLiteral("   ");
        QTest::newRow("open quote") << QStringLiteral("echo 'never closed");
    }

    void programThatCannotStartGivesTheFailureText()
    {
        QFETCH(QString, commandLine);
        QCOMPARE(capture(commandLine), QStringLiteral("Failed to create process, check the path of the command line."));
    }

    void neitherStreamRaisesErrorFiveAndStartsNothing()
    {
        QTemporaryDir folder;
        const QString marker = folder.filePath(QStringLiteral("started"));
        try {
            CaptureCommandOutput(QStringLiteral("touch ") + marker, false, false, true);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), 5);
            QCOMPARE(error.description(), QStringLiteral("Invalid procedure call or argument"));
        }
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker));
    }

    void shellCharactersAreNotInterpreted()
    {
        QTemporaryDir folder;
        const QString dir = folder.path();
        const QString commandLine =
            QStringLiteral("printf [%s] 'one two' \"x;y\" \"a\\\"b\" $(touch %1/substituted) `touch %1/quoted` "
                           "';' touch %1/separated | touch %1/piped > %1/redirected $HOME * a\\ b '' x'y'\"z\"")
                .arg(dir);
        QCOMPARE(capture(commandLine),
                 QStringLiteral("[one two][x;y][a\"b][$(touch][%1/substituted)][`touch][%1/quoted`]"
                                "[;][touch][%1/separated][|][touch][%1/piped][>][%1/redirected][$HOME][*][a b][][xyz]")
                     .arg(dir));
        QVERIFY(QDir(dir).isEmpty());
    }

    // Nothing of this program's signal state or open files reaches the command: a signal that the
    // program blocks or ignores still acts on it, and a file the program holds open is not open in
    // it.
    void commandStartsAsAFreshProgram()
    {
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGUSR1);
        QCOMPARE(pthread_sigmask(SIG_BLOCK, &blocked, nullptr), 0);
        const auto previousDisposition = signal(SIGUSR2, SIG_IGN);
        const int inherited = open("/dev/null", O_RDONLY);
        // The shell blocks every signal while it starts a command and unblocks them once it has
        // started, so a command that read the shell's signal state could catch it blocked. What
        // the shell passes on is read by the command it becomes.
        const QString output =
            capture(QStringLiteral("sh -c 'ls /proc/$$/fd; exec grep -E \"^Sig(Blk|Ign)\" /proc/self/status'"));
        close(inherited);
        signal(SIGUSR2, previousDisposition);
        pthread_sigmask(SIG_UNBLOCK, &blocked, nullptr);
        QVERIFY(inherited > STDERR_FILENO);
        QCOMPARE(output, QStringLiteral("0\n1\n2\nSigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\n"));
    }

    void nonAsciiOutputKeepsItsCharacters()
    {
        // 1 + 2 * 700 bytes: the 1024-byte chunk boundary falls inside a two-byte letter.
        const QString text = QStringLiteral("a") + QString(700, QChar(0x00E9)) + QStringLiteral("─│┌┐└┘é");
        QCOMPARE(CaptureCommandOutput(QStringLiteral("printf %s ") + text, true, false, true), text);
        QCOMPARE(CaptureCommandOutput(QStringLiteral("printf %s ") + text, true, false, false), text);
    }

    // What a command leaves running, or a command still running at the time limit, does not hold
    // the capture, and is killed with the command.
    void leftoversDoNotHoldTheCapture_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<int>("timeLimit");
        QTest::newRow("background process holds the pipe") << QStringLiteral("sh -c 'sleep 120 & echo $!'") << 0;
        QTest::newRow("command closes its output and runs on")
            << QStringLiteral("sh -c 'echo $$; exec >&- 2>&-; exec sleep 120'") << 0;
        QTest::newRow("command still running at the time limit")
            << QStringLiteral("sh -c 'echo $$; exec sleep 120'") << 300;
    }

    void leftoversDoNotHoldTheCapture()
    {
        QFETCH(QString, commandLine);
        QFETCH(int, timeLimit);
        QElapsedTimer clock;
        clock.start();
        const QString pid =
            CaptureCommandOutput(commandLine, true, false, true,
                                 timeLimit > 0 ? std::optional(std::chrono::milliseconds(timeLimit)) : std::nullopt);
        QVERIFY2(clock.elapsed() < kHangBound, "the capture waited for what the command left running");
        QVERIFY(pid.trimmed().toInt() > 0); // what was written before the end is kept
        QTRY_VERIFY(processEnded(pid));
    }

    void eventsRunWhileTheCommandWorks()
    {
        bool timerFired = false;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, [&] { timerFired = true; });
        timer.start(50);
        QCOMPARE(capture(QStringLiteral("sh -c 'sleep 0.5; echo done'")), QStringLiteral("done\n"));
        QVERIFY(timerFired);
    }

    // Last: ending the program asks every event loop to quit, which lasts for this process.
    void programEndEndsTheCapture()
    {
        QTimer closing;
        closing.setSingleShot(true);
        connect(&closing, &QTimer::timeout, [] { beginProgramEnd(); });
        closing.start(100);
        QElapsedTimer clock;
        clock.start();
        capture(QStringLiteral("sleep 120"));
        QVERIFY(clock.elapsed() < kHangBound);
        resetProgramEndForTesting();
    }
};

QUILLBRAE_TEST_MAIN(CommandOutputTest)
#include "test_command_output.moc"
