#include "gui/LoginDialog.h"

#include "runtime/ProgramLifetime.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// How often an open dialog looks whether the program is ending, which closes it.
constexpr int kEndCheckMs = 200;

QLabel *wrappedLabel(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

LoginDialog::LoginDialog(const Dialogs::LoginRequest &request, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LoginDialog"));
    setWindowTitle(QStringLiteral("Log In"));
    auto *layout = new QVBoxLayout(this);
    const QString asks = request.realm.isEmpty()
                             ? QStringLiteral("%1 asks for a user name and password.").arg(request.site)
                             : QStringLiteral("%1 asks for a user name and password for \u201c%2\u201d.")
                                   .arg(request.site, request.realm);
    layout->addWidget(wrappedLabel(asks, "LoginSite", this));
    if (request.refused)
        layout->addWidget(wrappedLabel(QStringLiteral("The user name or password was refused. Try once more."),
                                       "LoginRefused", this));

    auto *fields = new QFormLayout;
    m_user = new QLineEdit(request.user, this);
    m_user->setObjectName(QStringLiteral("LoginUser"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("LoginPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    fields->addRow(QStringLiteral("&User name:"), m_user);
    fields->addRow(QStringLiteral("&Password:"), m_password);
    layout->addLayout(fields);

    m_remember = new QCheckBox(QStringLiteral("&Remember the password in the keyring"), this);
    m_remember->setObjectName(QStringLiteral("LoginRemember"));
    m_remember->setEnabled(request.canRemember);
    layout->addWidget(m_remember);
    if (!request.canRemember)
        layout->addWidget(wrappedLabel(QStringLiteral("No keyring is available: the password will not be remembered."),
                                       "LoginNoKeyring", this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Log In"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    (request.user.isEmpty() ? m_user : m_password)->setFocus();
    setMinimumWidth(420);

    // A program that is ending (its window closed, a signal) does not wait for the user's answer.
    auto *endCheck = new QTimer(this);
    connect(endCheck, &QTimer::timeout, this, [this] {
        if (programEnding())
            reject();
    });
    endCheck->start(kEndCheckMs);
}

Dialogs::LoginAnswer LoginDialog::answer() const
{
    return {m_user->text(), m_password->text(), m_remember->isEnabled() && m_remember->isChecked()};
}
