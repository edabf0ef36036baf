#include "support/FakeDialogs.h"

void FakeDialogs::message(const QString &text, const QString &title, Icon icon)
{
    messages.append({text, title, icon});
    if (onMessage)
        onMessage(text);
}

bool FakeDialogs::question(const QString &text, const QString &title)
{
    questions.append({text, title, Icon::None});
    return !questionAnswers.isEmpty() && questionAnswers.dequeue();
}

QString FakeDialogs::input(const QString &prompt, const QString &title, const QString &)
{
    inputs.append({prompt, title, Icon::None});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

QString FakeDialogs::openFile(const OpenFileRequest &request)
{
    fileRequests.append(request);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString FakeDialogs::chooseFolder(const FolderRequest &request)
{
    folderRequests.append(request);
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

std::optional<Dialogs::LoginAnswer> FakeDialogs::login(const LoginRequest &request)
{
    loginRequests.append(request);
    return loginAnswers.isEmpty() ? std::nullopt : loginAnswers.dequeue();
}

QVector<FakeDialogs::Shown> FakeDialogs::errorReports() const
{
    QVector<Shown> reports;
    for (const Shown &shown : messages)
        if (shown.title == QLatin1String("Application Error"))
            reports.append(shown);
    return reports;
}

QStringList FakeDialogs::messageTexts() const
{
    QStringList texts;
    for (const Shown &shown : messages)
        texts.append(shown.text);
    return texts;
}
