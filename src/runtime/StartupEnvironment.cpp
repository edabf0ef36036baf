#include "runtime/StartupEnvironment.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <unistd.h>

namespace {
// Settled before the application object exists and only read afterwards, when the browser
// engine's threads may log.
bool sandboxOffByProgram = false;
QtMessageHandler passOn = nullptr;

// What the browser engine says at its start that tells the user nothing they need to act on.
bool isEngineStartNews(QtMsgType type, const QString &message)
{
    // The engine says its sandbox was turned off "by user"; the program did it, and says why itself.
    return sandboxOffByProgram && type == QtInfoMsg && message == QLatin1String("Sandboxing disabled by user.");
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
} // namespace

void prepareStartupEnvironment()
{
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

bool sandboxTurnedOff()
{
    return sandboxOffByProgram;
}
