#pragma once

#include "runtime/Dialogs.h"

#include <QQueue>
#include <QString>
#include <QVector>

#include <functional>

// Records every message, question, input box, file, folder and login dialog the program asks for, and answers them from
// queues a test fills in advance (empty text when a queue is empty).
class FakeDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
    };

    void message(const QString &text, const QString &title, Icon icon) override;
    bool question(const QString &text, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFile(const OpenFileRequest &request) override;
    QString chooseFolder(const FolderRequest &request) override;
    std::optional<LoginAnswer> login(const LoginRequest &request) override;

    QVector<Shown> messages;
    QVector<Shown> questions;
    // No answer in the queue: No.
    QQueue<bool> questionAnswers;
    QVector<Shown> inputs; // text = prompt
    QVector<OpenFileRequest> fileRequests;
    QQueue<QString> inputAnswers;
    QQueue<QString> fileAnswers;
    QVector<FolderRequest> folderRequests;
    QQueue<QString> folderAnswers;
    QVector<LoginRequest> loginRequests;
    // None in the queue, or an empty queue: the dialog is cancelled.
    QQueue<std::optional<LoginAnswer>> loginAnswers;
    // Hears of each message while it is shown, as a box would stand open.
    std::function<void(const QString &text)> onMessage;

    // Messages whose title is "Application Error".
    QVector<Shown> errorReports() const;
    QStringList messageTexts() const;
};
