#include "connectivity/SpawnedCommand.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
void closeDescriptor(int &descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

// Where each of the command's standard streams leads, as the child sees it before it starts.
class ChildStreams
{
public:
    ChildStreams(int pipeWriteEnd, SpawnedCommand::Streams streams)
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        const bool output = streams != SpawnedCommand::Streams::Error;
        const bool error = streams != SpawnedCommand::Streams::Output;
        lead(STDOUT_FILENO, output, pipeWriteEnd);
        lead(STDERR_FILENO, error, pipeWriteEnd);
        // Nothing else of this program's open files reaches the command.
        posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1);
    }
    ~ChildStreams() { posix_spawn_file_actions_destroy(&m_actions); }
    ChildStreams(const ChildStreams &) = delete;
    ChildStreams &operator=(const ChildStreams &) = delete;

    const posix_spawn_file_actions_t *actions() const { return &m_actions; }

private:
    void lead(int stream, bool captured, int pipeWriteEnd)
    {
        if (captured)
            posix_spawn_file_actions_adddup2(&m_actions, pipeWriteEnd, stream);
        else
            posix_spawn_file_actions_addopen(&m_actions, stream, "/dev/null", O_WRONLY, 0);
    }

    posix_spawn_file_actions_t m_actions{};
};

// A process group of its own, so the command and everything it starts can be ended together, and
// the signal state of a freshly started program rather than this one's.
class ChildAttributes
{
public:
    ChildAttributes()
    {
        posix_spawnattr_init(&m_attributes);
        posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&m_attributes, 0);
        sigset_t signalSet;
        sigemptyset(&signalSet);
        posix_spawnattr_setsigmask(&m_attributes, &signalSet);
        sigfillset(&signalSet);
        posix_spawnattr_setsigdefault(&m_attributes, &signalSet);
    }
    ~ChildAttributes() { posix_spawnattr_destroy(&m_attributes); }
    ChildAttributes(const ChildAttributes &) = delete;
    ChildAttributes &operator=(const ChildAttributes &) = delete;

    const posix_spawnattr_t *attributes() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes{};
};
} // namespace

SpawnedCommand::SpawnedCommand(const QStringList &words, Streams streams)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        m_start = Start::NoPipe;
        return;
    }
    m_output = pipeEnds[0];
    int writeEnd = pipeEnds[1];
    // Only our end is non-blocking: the command writes as any program writes to a pipe.
    ::fcntl(m_output, F_SETFL, ::fcntl(m_output, F_GETFL) | O_NONBLOCK);

    std::vector<QByteArray> encoded;
    encoded.reserve(words.size());
    std::vector<char *> arguments;
    for (const QString &word : words) {
        encoded.push_back(QFile::encodeName(word));
        arguments.push_back(encoded.back().data());
    }
    arguments.push_back(nullptr);

    const ChildStreams childStreams(writeEnd, streams);
    const ChildAttributes childAttributes;
    const int failure = ::posix_spawnp(&m_pid, arguments.front(), childStreams.actions(), childAttributes.attributes(),
                                       arguments.data(), environ);
    // From here on only the command holds the write end, so its output ends when it and
    // whatever it started have closed their copies.
    closeDescriptor(writeEnd);
    if (failure != 0) {
        m_pid = -1;
        closeDescriptor(m_output);
        m_start = Start::NotStarted;
        return;
    }
    m_start = Start::Started;
    m_exitNotice = static_cast<int>(::syscall(SYS_pidfd_open, m_pid, 0));
}

SpawnedCommand::~SpawnedCommand()
{
    if (m_pid > 0) {
        // The command is not reaped yet, so its id still names it and its group and cannot have
        // been handed to another process. The second signal reaches it should it have left the
        // group.
        ::kill(-m_pid, SIGKILL);
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    closeDescriptor(m_exitNotice);
    closeDescriptor(m_output);
}

qint64 SpawnedCommand::readOutput(char *buffer, qint64 size)
{
    for (;;) {
        const ssize_t count = ::read(m_output, buffer, static_cast<size_t>(size));
        if (count >= 0)
            return count;
        if (errno == EINTR)
            continue;
        // Any other failure ends the output as its end would.
        return errno == EAGAIN || errno == EWOULDBLOCK ? -1 : 0;
    }
}

bool SpawnedCommand::hasExited() const
{
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return true; // no longer our child to wait for: nothing more will come of it
    return info.si_pid == m_pid;
}
