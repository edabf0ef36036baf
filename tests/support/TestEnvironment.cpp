#include "support/TestEnvironment.h"

#include "runtime/StartupEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {
QTemporaryDir *home = nullptr;

void removeHome()
{
    delete home;
    home = nullptr;
}
} // namespace

void prepareTestEnvironment()
{
    home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/quillbrae-test-XXXXXX"));
    std::atexit(removeHome);
    const QByteArray path = home->path().toLocal8Bit();
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/config");
    // The default printer's restore record goes under the private home too, and so do the browser
    // profile's storage and cache.
    qunsetenv("XDG_STATE_HOME");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CACHE_HOME");
    // No session bus, and so no keyring of the user's, can be reached.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path + "/no-session-bus");
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    prepareStartupEnvironment();
}

QString testHome()
{
    return home ? home->path() : QString();
}

void checkForLeaks()
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}
