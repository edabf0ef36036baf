#include "connectivity/CommandOutput.h"

#include "connectivity/CommandLineWords.h"
#include "connectivity/SpawnedCommand.h"
#include "runtime/EventSleep.h"
#include "runtime/PieceDecoder.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <memory>

const char *const kFailedToCreateProcess = "Failed to create process, check the path of the command line.";

namespace {
constexpr qint64 kChunkSize = 1024;
// How long the command's exit and the end of its output may lag behind each other.
constexpr std::chrono::milliseconds kSettlingTime(250);
// How often to look whether the command has exited, when the system gives no notice of it.
constexpr std::chrono::milliseconds kExitPollInterval(50);

SpawnedCommand::Streams chosenStreams(bool captureStdout, bool captureStderr)
{
    if (captureStdout && captureStderr)
        return SpawnedCommand::Streams::Merged;
    return captureStdout ? SpawnedCommand::Streams::Output : SpawnedCommand::Streams::Error;
}

// Keeps the event loop listening to the command's output and exit, so that a sleep there wakes
// as soon as either needs looking at.
class CaptureWakeUps
{
public:
    explicit CaptureWakeUps(const SpawnedCommand &command) : m_output(command.outputDescriptor(), QSocketNotifier::Read)
    {
        if (command.exitDescriptor() >= 0) {
            m_exit = std::make_unique<QSocketNotifier>(command.exitDescriptor(), QSocketNotifier::Read);
        } else {
            m_exitPoll = std::make_unique<QTimer>();
            m_exitPoll->start(kExitPollInterval);
        }
    }

    // Each stays readable for good once it has happened.
    void outputEnded() { m_output.setEnabled(false); }
    void commandExited()
    {
        if (m_exit)
            m_exit->setEnabled(false);
        m_exitPoll.reset();
    }

private:
    QSocketNotifier m_output;
    std::unique_ptr<QSocketNotifier> m_exit;
    std::unique_ptr<QTimer> m_exitPoll;
};

QString readAllOutput(SpawnedCommand &command, std::optional<std::chrono::milliseconds> timeLimit)
{
    const QDeadlineTimer limit =
        timeLimit ? QDeadlineTimer(*timeLimit, Qt::PreciseTimer) : QDeadlineTimer(QDeadlineTimer::Forever);
    QDeadlineTimer settling(QDeadlineTimer::Forever);
    CaptureWakeUps wakeUps(command);
    PieceDecoder decoder(QStringDecoder::System);
    QString text;
    char buffer[kChunkSize];
    bool outputEnded = false;
    bool exited = false;

    while (!programEnding() && !limit.hasExpired() && !settling.hasExpired()) {
        QCoreApplication::processEvents();
        if (programEnding())
            break;
        if (!outputEnded) {
            const qint64 count = command.readOutput(buffer, kChunkSize);
            if (count > 0) {
                text += decoder.decode(QByteArrayView(buffer, count));
                continue;
            }
            if (count == 0) {
                outputEnded = true;
                wakeUps.outputEnded();
            }
        }
        if (!exited && command.hasExited()) {
            exited = true;
            wakeUps.commandExited();
        }
        if (outputEnded && exited)
            break;
        if ((outputEnded || exited) && settling.isForever())
            settling = QDeadlineTimer(kSettlingTime, Qt::PreciseTimer);
        EventSleep(std::min(limit, settling)).handleEventsOrSleep();
    }
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
    SpawnedCommand command(*words, chosenStreams(captureStdout, captureStderr));
    switch (command.start()) {
    case SpawnedCommand::Start::NoPipe:
        return QString();
    case SpawnedCommand::Start::NotStarted:
        return QLatin1String(kFailedToCreateProcess);
    case SpawnedCommand::Start::Started:
        break;
    }
    return readAllOutput(command, timeLimit);
}
