#pragma once

#include <QObject>
#include <QString>

// The control of a window that carries the given object name, which is its design name
// ("ListView1", "PushButton2"). A window without such a control of that type ends the test
// program at once, naming what was looked for, rather than letting the test crash on it later.
template <typename Control> Control *child(const QObject &window, const char *name)
{
    auto *control = window.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        qFatal("The window has no %s named %s", Control::staticMetaObject.className(), name);
    return control;
}
