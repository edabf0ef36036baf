#include "support/TestEnvironment.h"

#include "runtime/StartupEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

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
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    prepareStartupEnvironment();
}

QString testHome()
{
    return home ? home->path() : QString();
}
