#include "PrintServerWindowTest.h"
#include "gui/LoginBrowserWindow.h"
#include "printing/PrintedJobs.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace {
const QString kChosen = u"Test-Charlie"_s;
const QString kPassword = u"open sesame"_s;

Dialogs::LoginAnswer answer(const QString &password, bool remember = false)
{
    return {u"alice"_s, password, remember};
}

void serveMembersPage(TestHttpServer &server)
{
    TestHttpServer::Page members;
    members.login = "alice:" + kPassword.toUtf8();
    members.body = "<html><head><title>Members</title></head><body>The members' report</body></html>";
    server.serve(u"/members.html"_s, members);
}

// Where the keyring keeps the server's login to the test pages' realm.
QString keyringKey(const TestHttpServer &server)
{
    return u"http://%1 Test realm"_s.arg(server.address(QString()));
}
} // namespace

// Logging in to a site: in the login window, as in any browser, and in a print run, through the
// login dialog and the keyring.
class LoginTest : public PrintServerWindowTest
{
    Q_OBJECT

    LoginBrowserWindow *openLoginWindow()
    {
        auto *button = child<QPushButton>(*form, "LoginButton");
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        const QList<LoginBrowserWindow *> windows = form->findChildren<LoginBrowserWindow *>();
        if (windows.size() != 1)
            qFatal("%d login windows are open", static_cast<int>(windows.size()));
        return windows.first();
    }

    static void load(LoginBrowserWindow &window, const QString &address)
    {
        auto *bar = child<QLineEdit>(window, "LoginAddress");
        bar->setText(address);
        QTest::keyClick(bar, Qt::Key_Return);
    }

    static QString title(LoginBrowserWindow &window) { return child<QWebEngineView>(window, "LoginView")->title(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        serveMembersPage(web);
        TestHttpServer::Page endless;
        endless.body = "<html><head><title>Endless</title></head><body>Never ends</body></html>";
        endless.delivery = TestHttpServer::Delivery::NeverFinish;
        web.serve(u"/endless.html"_s, endless);
    }

    void init() { resetStandIns(); }
    void cleanup() { closeWindow(); }

    // The button opens one login window, however often it is clicked. Without a keyring the dialog
    // says that nothing is remembered; a refused password is asked for once more, and then the page
    // keeps the site's refusal until it is reloaded. Closing the window in the middle of a load
    // is safe.
    void theLoginWindowAsksTwiceAtMostWithoutAKeyring()
    {
        keyring.available = false;
        openWindow(kServerDefault);
        QCOMPARE(child<QPushButton>(*form, "LoginButton")->geometry(), QRect(272, 470, 256, 27));
        LoginBrowserWindow *window = openLoginWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        dialogs.loginAnswers << answer(u"wrong"_s) << answer(u"wrong again"_s) << answer(kPassword);
        load(*window, web.address(u"/members.html"_s));
        QTRY_COMPARE_WITH_TIMEOUT(title(*window), u"Login required"_s, 20'000);
        QCOMPARE(dialogs.loginRequests.size(), 2);
        const Dialogs::LoginRequest first = dialogs.loginRequests[0];
        QCOMPARE(first.site, web.address(QString()));
        QCOMPARE(first.realm, u"Test realm"_s);
        QVERIFY(!first.refused && !first.canRemember);
        QVERIFY(dialogs.loginRequests[1].refused);
        QCOMPARE(dialogs.loginRequests[1].user, u"alice"_s);

        QTest::mouseClick(child<QPushButton>(*window, "LoginReload"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(title(*window), u"Members"_s, 20'000);
        QCOMPARE(dialogs.loginRequests.size(), 3);
        QVERIFY(!dialogs.loginRequests[2].refused);

        const qsizetype requests = web.requestedPaths().size();
        load(*window, web.address(u"/endless.html"_s));
        QTRY_VERIFY_WITH_TIMEOUT(web.requestedPaths().size() > requests, 20'000);
        window->close();
        QTRY_VERIFY(form->findChildren<LoginBrowserWindow *>().isEmpty());
        QVERIFY(keyring.secrets.isEmpty());
    }

    // A password remembered in the login window goes to the keyring, and nowhere else. A run tries a
    // remembered password first without asking; one that the site refuses is asked for once.
    void aRunTriesTheRememberedPasswordFirst()
    {
        // Servers of this test's own: the browser keeps the logins that worked for the rest of the
        // process.
        TestHttpServer site;
        TestHttpServer kept;
        TestHttpServer stale;
        for (TestHttpServer *server : {&site, &kept, &stale})
            serveMembersPage(*server);
        openWindow(kChosen);
        LoginBrowserWindow *window = openLoginWindow();
        dialogs.loginAnswers << answer(kPassword, true);
        load(*window, site.address(u"/members.html"_s));
        QTRY_COMPARE_WITH_TIMEOUT(title(*window), u"Members"_s, 20'000);
        QVERIFY(dialogs.loginRequests.value(0).canRemember);
        const QByteArray remembered = keyring.secrets.value(keyringKey(site));
        QVERIFY2(remembered.contains(kPassword.toUtf8()), remembered.constData());
        QFile settings(QSettings().fileName());
        QVERIFY(!settings.open(QIODevice::ReadOnly) || !settings.readAll().contains(kPassword.toUtf8()));
        window->close();

        keyring.secrets.insert(keyringKey(kept), remembered);
        keyring.secrets.insert(keyringKey(stale), QByteArray(remembered).replace(kPassword.toUtf8(), "stale"));
        dialogs.loginAnswers << answer(kPassword);
        form->urlList()->append(kept.address(u"/members.html"_s));
        form->urlList()->append(stale.address(u"/members.html"_s));
        const int before = jobCount(kChosen);
        QTest::mouseClick(child<QPushButton>(*form, "PushButton2"), Qt::LeftButton);

        const QList<PrintedJob> jobs = jobsSince(kChosen, before);
        QCOMPARE(jobs.size(), 2);
        for (const PrintedJob &job : jobs)
            QVERIFY2(job.text.contains(u"The members' report"_s), qPrintable(job.text));
        QCOMPARE(dialogs.loginRequests.size(), 2);
        QCOMPARE(dialogs.loginRequests[1].site, stale.address(QString()));
        QVERIFY(dialogs.loginRequests[1].refused);
        QCOMPARE(dialogs.messageTexts(), QStringList{u"Done."_s});
    }
};

QUILLBRAE_TEST_MAIN(LoginTest)
#include "test_login.moc"
