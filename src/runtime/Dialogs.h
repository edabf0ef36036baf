#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every message box, question, input box, open-file, folder and login dialog of the program goes through this seam,
// so that tests can read what would have been shown and answer it.
class Dialogs
{
public:
    enum class Icon { None, Warning };

    struct OpenFileRequest
    {
        QString title;
        QStringList filters; // in the order offered; the first is preselected
        bool multipleSelection = false;
    };

    struct FolderRequest
    {
        QString title;
        QString startFolder; // where the dialog opens
    };

    // A site that asks for a user name and password before it shows a page.
    struct LoginRequest
    {
        QString site;  // the host that asks, with its port where the address names one
        QString realm; // the site's own name for what the login opens
        QString user;  // the user name offered
        // The last password given for it was refused.
        bool refused = false;
        // A keyring is there to keep the password in; without one, nothing is remembered.
        bool canRemember = false;
    };

    struct LoginAnswer
    {
        QString user;
        QString password;
        bool remember = false;
    };

    virtual ~Dialogs() = default;

    // A modal box with a single OK button; returns when the user has closed it.
    virtual void message(const QString &text, const QString &title, Icon icon) = 0;
    // A modal question with Yes and No; true for Yes. Dialogs that show nothing answer No, which
    // never starts anything the user did not see.
    virtual bool question(const QString & /*text*/, const QString & /*title*/) { return false; }
    // A modal prompt with OK and Cancel; Cancel gives the empty text.
    virtual QString input(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // A modal open-file dialog; the chosen path, or the empty text when cancelled.
    virtual QString openFile(const OpenFileRequest &request) = 0;
    // A modal dialog that chooses an existing folder; its path, or the empty text when cancelled.
    virtual QString chooseFolder(const FolderRequest &request) = 0;
    // A modal login dialog; the user name and password, or none when cancelled.
    virtual std::optional<LoginAnswer> login(const LoginRequest &request) = 0;
};
