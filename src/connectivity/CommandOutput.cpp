#include "connectivity/CommandOutput.h"

#include "connectivity/CommandLineWords.h"
#include "connectivity/OutputPipe.h"
#include "runtime/EventSleep.h"
#include "runtime/PieceDecoder.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QProcess>

#include <algorithm>
#include <csignal>
#include <functional>

#include <unistd.h>

const char *const kFailedToCreateProcess = "Failed to create process, check the path of the command line.";

namespace {
constexpr qint64 kChunkSize = 1024;
// How long the command's exit and the end of its output may lag behind each other.
constexpr std::chrono::milliseconds kSettlingTime(250);

// What the child does between fork and exec, once QProcess has given it no input and sent its
// output nowhere: it writes the captured streams into the pipe, takes a process group of its own
// so that it and everything it starts can be killed together, and starts with the signal state
// of a fresh program and none of this program's files, whether or not their owners asked to close
// them on exec. Qt 6.4 has no setting for any of these.
std::function<void()> childSetUp(int pipeEnd, bool captureStdout, bool captureStderr)
{
    return [=] {
        if (captureStdout)
            ::dup2(pipeEnd, STDOUT_FILENO);
        if (captureStderr)
            ::dup2(pipeEnd, STDERR_FILENO);
        ::setpgid(0, 0);
        sigset_t noSignals;
        sigemptyset(&noSignals);
        ::sigprocmask(SIG_SETMASK, &noSignals, nullptr);
        struct sigaction byDefault = {};
        byDefault.sa_handler = SIG_DFL;
        for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber)
            ::sigaction(signalNumber, &byDefault, nullptr);
        ::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC);
    };
}

// Reads the output until it has ended and the command has exited. When one of those happens
// without the other following within the settling time, or when the limit passes, or the program
// is ending, it stops with what it has.
QString readOutput(OutputPipe &output, const QProcess &process, QDeadlineTimer limit)
{
    PieceDecoder decoder(QStringDecoder::System);
    QString text;
    const auto readArrived = [&] {
        char buffer[kChunkSize];
        qint64 count = 0;
        while ((count = output.read(buffer, kChunkSize)) > 0)
            text += decoder.decode(QByteArrayView(buffer, count));
    };
    const auto exited = [&] { return process.state() == QProcess::NotRunning; };

    sleepUntil(
        [&] {
            readArrived();
            return output.ended() || exited();
        },
        limit);
    sleepUntil(
        [&] {
            readArrived();
            return output.ended() && exited();
        },
        std::min(limit, QDeadlineTimer(kSettlingTime, Qt::PreciseTimer)));
    if (decoder.holdsPartialCharacter())
        text += QChar(QChar::ReplacementCharacter);
    return text;
}
} // namespace

QString CaptureCommandOutput(const QString &commandLine, bool captureStdout, bool captureStderr, bool convert,
                             std::optional<std::chrono::milliseconds> timeLimit)
{
    if (!captureStdout && !captureStderr)
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, QStringLiteral("Invalid procedure call or argument"));
    // There is no console code page apart from the locale's encoding here, so the bytes decode
    // the same way either way.
    Q_UNUSED(convert)
    if (programEnding())
        return QString();

    const std::optional<QStringList> words = splitCommandLineWords(commandLine);
    if (!words || words->isEmpty())
        return QLatin1String(kFailedToCreateProcess);
    OutputPipe output;
    if (!output.isOpen())
        return QString();

    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setChildProcessModifier(childSetUp(output.writeEnd(), captureStdout, captureStderr));
    process.start(words->first(), words->mid(1), QIODevice::ReadOnly);
    const bool started = process.waitForStarted(-1);
    output.closeWriteEnd();
    if (!started)
        return QLatin1String(kFailedToCreateProcess);
    const auto group = static_cast<pid_t>(process.processId());

    QString text =
        readOutput(output, process,
                   timeLimit ? QDeadlineTimer(*timeLimit, Qt::PreciseTimer) : QDeadlineTimer(QDeadlineTimer::Forever));
    // The group's id stays taken while any member lives, so this reaches no stranger even once the
    // command itself has been reaped. The second signal reaches the command should it have left
    // its group.
    ::kill(-group, SIGKILL);
    process.kill();
    process.waitForFinished(-1);
    return text;
}
