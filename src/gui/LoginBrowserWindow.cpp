#include "gui/LoginBrowserWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

LoginBrowserWindow::LoginBrowserWindow(QWebEngineProfile &profile, LoginSource &logins, std::function<bool()> runGoing,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_logins(logins), m_runGoing(std::move(runGoing))
{
    setObjectName(QStringLiteral("LoginWindow"));
    setWindowTitle(QStringLiteral("Log In to a Site"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 640);

    m_back = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"), this);
    m_back->setObjectName(QStringLiteral("LoginBack"));
    m_reload = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Reload"), this);
    m_reload->setObjectName(QStringLiteral("LoginReload"));
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("LoginAddress"));
    m_address->setAccessibleName(QStringLiteral("Address"));
    m_address->setPlaceholderText(QStringLiteral("Type the address of the site to log in to, then press Enter"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LoginStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setText(QStringLiteral("Log in as in any browser; the runs then find the site logged in."));

    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("LoginView"));
    m_page = new QWebEnginePage(&profile, m_view);
    m_view->setPage(m_page);
    m_login.setSource(this);
    m_login.watch(*m_page, *this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_reload);
    bar->addWidget(m_address, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_status);
    layout->addWidget(m_view, 1);

    connect(m_address, &QLineEdit::returnPressed, this, [this] { openAddress(m_address->text()); });
    connect(m_back, &QPushButton::clicked, this,
            [this] { navigate([this] { m_page->triggerAction(QWebEnginePage::Back); }); });
    connect(m_reload, &QPushButton::clicked, this,
            [this] { navigate([this] { m_page->triggerAction(QWebEnginePage::Reload); }); });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        if (url != QUrl(QStringLiteral("about:blank")))
            m_address->setText(url.toString());
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title.isEmpty() ? QStringLiteral("Log In to a Site") : title);
    });
    m_address->setFocus();
}

LoginBrowserWindow::~LoginBrowserWindow()
{
    // Out of the view first, as the view would otherwise paint a page that is going.
    m_view->setPage(nullptr);
    delete m_page;
}

void LoginBrowserWindow::openAddress(const QString &address)
{
    const QString typed = address.trimmed();
    const QUrl url = QUrl::fromUserInput(typed);
    if (!url.isValid() || typed.isEmpty())
        return;
    m_address->setText(url.toString());
    navigate([this, url] { m_page->load(url); });
}

void LoginBrowserWindow::navigate(const std::function<void()> &action)
{
    m_login.newLoad();
    action();
    m_view->setFocus();
}

std::optional<LoginCredentials> LoginBrowserWindow::credentials(const LoginChallenge &challenge)
{
    if (m_runGoing()) {
        m_status->setText(QStringLiteral("%1 asks for a login. A print run is going on: reload the page once it is "
                                         "over to log in.")
                              .arg(challenge.site()));
        return std::nullopt;
    }
    const QScopedValueRollback<int> answering(m_answering, m_answering + 1);
    std::optional<LoginCredentials> credentials = m_logins.credentials(challenge);
    if (m_closeWhenAnswered && m_answering == 1)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return credentials;
}

void LoginBrowserWindow::closeEvent(QCloseEvent *event)
{
    // The page is in the middle of asking: it goes once the answer is given.
    if (m_answering > 0) {
        m_closeWhenAnswered = true;
        hide();
        event->ignore();
        return;
    }
    m_closeWhenAnswered = false;
    QWidget::closeEvent(event);
}
