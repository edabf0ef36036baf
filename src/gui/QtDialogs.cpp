#include "gui/QtDialogs.h"

#include "gui/LoginDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// Message boxes break lines at a lone CR as the reports expect; Qt only breaks at LF.
QString withLineBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

void QtDialogs::message(const QString &text, const QString &title, Icon icon)
{
    QMessageBox box(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, title, withLineBreaks(text),
                    QMessageBox::Ok, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::question(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, withLineBreaks(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(dialogParent(), title, prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? answer : QString();
}

QString QtDialogs::openFile(const OpenFileRequest &request)
{
    QFileDialog dialog(dialogParent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Typing the name of a file that does not exist is allowed; the loader answers it.
    dialog.setFileMode(request.multipleSelection ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().join(QChar(0));
}

QString QtDialogs::chooseFolder(const FolderRequest &request)
{
    return QFileDialog::getExistingDirectory(dialogParent(), request.title, request.startFolder);
}

std::optional<Dialogs::LoginAnswer> QtDialogs::login(const LoginRequest &request)
{
    LoginDialog dialog(request, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.answer();
}
