#include "runtime/StartupEnvironment.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Settled before the application object exists and only read afterwards, when the browser
// engine's threads may log.
bool sandboxOffByProgram = false;
bool commandLineRun = false;
QtMessageHandler passOn = nullptr;

// What Qt and the browser engine say at start that tells the user nothing they need to act on.
bool isEngineStartNews(QtMsgType type, const QString &message)
{
    // The engine says its sandbox was turned off "by user"; the program did it, and says why itself.
    if (sandboxOffByProgram && type == QtInfoMsg && message == QLatin1String("Sandboxing disabled by user."))
        return true;
    if (!commandLineRun || type != QtWarningMsg)
        return false;
    // Without a runtime folder named, Qt uses a private one of its own in /tmp, which serves as
    // well; without a display there is no OpenGL, and the engine draws in software.
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to ")) ||
           message.trimmed() == QLatin1String("No suitable graphics backend found");
}

void dropEngineStartNews(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!isEngineStartNews(type, message))
        passOn(type, context, message);
}

void installMessageFilter()
{
    if (passOn == nullptr)
        passOn = qInstallMessageHandler(dropEngineStartNews);
}

// A program started by cron, or by su, has no XDG_RUNTIME_DIR, though the login manager may keep
// the user's runtime folder all the same; named, it spares Qt making up one of its own.
void nameRuntimeFolder()
{
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const QByteArray folder = "/run/user/" + QByteArray::number(::geteuid());
    struct stat info = {};
    if (::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
        (info.st_mode & 0777) == 0700)
        qputenv("XDG_RUNTIME_DIR", folder);
}
} // namespace

void prepareStartupEnvironment()
{
    nameRuntimeFolder();
    // The embedded browser's sandbox refuses to run as root (as on a CI machine or in a
    // container); there the browser runs without it. Users never run the program as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        sandboxOffByProgram = true;
        installMessageFilter();
    }
    // The browser engine describes its graphics set-up at every start; that is no news to a user,
    // and it would fill the log of every scheduled command-line run.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // The embedded browser shares its drawing contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void prepareCommandLineEnvironment()
{
    // On a display, the browsers' windows would be mapped there, however they are kept off it: the
    // browser engine shows them, unpainted, over the user's screen for the whole run.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a display there is no OpenGL either: the browser draws in software from the
        // start, instead of trying OpenGL first and warning that it could not.
        QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    }
    commandLineRun = true;
    installMessageFilter();
}

bool sandboxTurnedOff()
{
    return sandboxOffByProgram;
}
