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
    // The default printer's restore record goes under the private home too.
    qunsetenv("XDG_STATE_HOME");
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
