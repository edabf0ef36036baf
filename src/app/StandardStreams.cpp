#include "app/StandardStreams.h"

#include <cerrno>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace {
bool inputClosed = false;

bool descriptorClosed(int descriptor)
{
    return ::fcntl(descriptor, F_GETFD) < 0 && errno == EBADF;
}
} // namespace

void guardStandardStreams()
{
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (!descriptorClosed(descriptor))
            continue;
        if (descriptor == STDIN_FILENO)
            inputClosed = true;
        // The lowest free number is the closed one, since the ones below it are open by now.
        ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    }
}

bool standardInputWasClosed()
{
    return inputClosed;
}
