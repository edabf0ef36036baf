#pragma once

#include "runtime/Dialogs.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// Asks for the user name and password a site wants, as a browser does, and whether to remember the
// password in the keyring. Without a keyring the box for that is off, and the dialog says why.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LoginDialog(const Dialogs::LoginRequest &request, QWidget *parent = nullptr);

    Dialogs::LoginAnswer answer() const;

private:
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_remember = nullptr;
};
