#include "app/DisplayCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <xcb/xcb.h>

#include <cstdio>

namespace {
bool waylandSocketThere()
{
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (name.isEmpty())
        return false;
    const QString socket =
        QDir::isAbsolutePath(name) ? name : QDir(qEnvironmentVariable("XDG_RUNTIME_DIR")).filePath(name);
    return QFileInfo::exists(socket);
}

// Qt's platform plugin for X is built on xcb: a connection it can make, Qt can make.
bool xDisplayAnswers()
{
    if (!qEnvironmentVariableIsSet("DISPLAY"))
        return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}
} // namespace

bool displayCanBeOpened()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(':'), 0, 0);
    // Any other platform (offscreen, vnc, eglfs...) was chosen on purpose, and needs no display.
    if (!platform.isEmpty() && platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform != QLatin1String("xcb") && waylandSocketThere())
        return true;
    return !platform.startsWith(QLatin1String("wayland")) && xDisplayAnswers();
}

int sayWindowNeedsDisplay()
{
    std::fputs("quillbrae: the window needs a graphical session, and no display can be opened here.\n"
               "To print a list without one: quillbrae --print LIST (see quillbrae --help).\n",
               stderr);
    return 2;
}
