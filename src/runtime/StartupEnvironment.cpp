#include "runtime/StartupEnvironment.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QtGlobal>

#include <unistd.h>

void prepareStartupEnvironment()
{
    // The embedded browser's sandbox refuses to run as root (as on a CI machine or in a
    // container); there the browser runs without it. Users never run the program as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The browser engine describes its graphics set-up at every start; that is no news to a user,
    // and it would fill the log of every scheduled command-line run.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // The embedded browser shares its drawing contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
