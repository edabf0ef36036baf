#pragma once

#include "runtime/Dialogs.h"

// The real dialogs, parented to the program's active window.
class QtDialogs : public Dialogs
{
public:
    void message(const QString &text, const QString &title, Icon icon) override;
    bool question(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFile(const OpenFileRequest &request) override;
    QString chooseFolder(const FolderRequest &request) override;
    std::optional<LoginAnswer> login(const LoginRequest &request) override;
};
