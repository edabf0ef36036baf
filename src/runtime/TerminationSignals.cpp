#include "runtime/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// [0] is written by the handler, [1] read on the GUI thread.
int signalPipe[2] = {-1, -1};

void writeSignalNumber(int signalNumber)
{
    // Only async-signal-safe calls here; errno belongs to the code the signal interrupted.
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}
} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject *parent)
    : QObject(parent), m_onSignal(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return; // the program still runs; it only ends on these signals the default way
    m_notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signalNumber : kSignals)
        ::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    for (int &descriptor : signalPipe) {
        if (descriptor >= 0)
            ::close(descriptor);
        descriptor = -1;
    }
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(signalPipe[1], &byte, 1) == 1) {
        // The program is already on its way out after the first; a second changes nothing.
        if (m_received != 0)
            continue;
        m_received = byte;
        m_onSignal(byte);
    }
}
