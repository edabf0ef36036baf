#include "CommandLineRunTest.h"
#include "printing/PrintedJobs.h"

#include <QScopeGuard>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {
// NAME-login.html sets the session cookie NAME=in; NAME-report.html shows its report only to a
// request that brings that cookie back.
void serveCookiePages(TestHttpServer &web, const QString &name)
{
    TestHttpServer::Page login;
    login.body = "<html><head><title>Logged in</title></head><body>Logged in</body></html>";
    login.setCookie = name.toUtf8() + "=in; Path=/";
    web.serve(u"/%1-login.html"_s.arg(name), login);
    TestHttpServer::Page report;
    report.body = "<html><head><title>Report</title></head><body>Please log in</body></html>";
    report.cookie = name.toUtf8() + "=in";
    report.cookieBody = "<html><head><title>Report</title></head><body>Report for the logged-in user</body></html>";
    web.serve(u"/%1-report.html"_s.arg(name), report);
}
} // namespace

// Sites that ask for a login: the one ~/.netrc gives, and the cookies a run keeps for the next.
class CommandLineLoginsTest : public CommandLineRunTest
{
    Q_OBJECT

private slots:
    void initTestCase() { prepare(); }

    // A site that asks for a login gets the one ~/.netrc gives for its host, and its page prints.
    // A password the site refuses is the page's load error, once, and is not tried again; without
    // an entry for the host the site's refusal is.
    void aSiteLoginComesFromNetrcAndARefusalIsReportedOnce()
    {
        TestHttpServer::Page members;
        members.login = "alice:open sesame";
        members.body = "<html><head><title>Members</title></head><body>The members' report</body></html>";
        web.serve(u"/members.html"_s, members);
        writeList({web.url(u"/members.html"_s)});
        const QString netrc = testHome() + u"/.netrc"_s;
        const auto removeNetrc = qScopeGuard([&] { QFile::remove(netrc); });
        auto runWithNetrc = [&](const QByteArray &text) {
            QFile file(netrc);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
                qFatal("cannot write the test's .netrc");
            file.close();
            return run({u"--printer"_s, kQueue});
        };
        auto requests = [&] { return web.requestedPaths().count(u"/members.html"_s); };

        const int before = jobCount(kQueue);
        const Run good = runWithNetrc("# the test's sites\nmachine other.example login bob password x\n"
                                      "machine 127.0.0.1\n  login alice\n  password \"open sesame\"\n");
        QCOMPARE(good.exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"The members' report"_s), qPrintable(jobs[0].text));
        const QString othersRead = u"~/.netrc holds passwords, but other users can read it: chmod 600 ~/.netrc"_s;
        QVERIFY2(good.errors.contains(othersRead), qPrintable(good.errors));

        const qsizetype requestsBefore = requests();
        const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(netrc, ownerOnly));
        const Run refused = runWithNetrc("default login alice password wrong\n");
        QVERIFY2(!refused.errors.contains(othersRead), qPrintable(refused.errors));
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.reportLines.size(), 2);
        const QString failed = u"[1/1] %1 load failed: "_s.arg(web.url(u"/members.html"_s));
        QVERIFY2(refused.reportLines[0].startsWith(failed + u"login refused for 127.0.0.1 (~/.netrc); printed"_s),
                 qPrintable(refused.reportLines[0]));
        // Once without a login, once with the wrong one.
        QCOMPARE(requests() - requestsBefore, 2);

        const Run none = runWithNetrc("machine example.org login alice password \"open sesame\"\n");
        QVERIFY2(none.reportLines.value(0).startsWith(failed + u"HTTP 401; printed"_s), qPrintable(none.errors));

        // A pipe in its place, which no one writes to, holds nothing up.
        QVERIFY(QFile::remove(netrc));
        QCOMPARE(::mkfifo(QFile::encodeName(netrc).constData(), 0600), 0);
        const Run piped = run({u"--printer"_s, kQueue, u"--timeout"_s, u"5"_s});
        QVERIFY2(piped.reportLines.value(0).startsWith(failed + u"HTTP 401; printed"_s), qPrintable(piped.errors));
    }

    // A cookie that a site sets for the browser's session, as a login does, is sent again in the next
    // run.
    void aSessionCookieIsKeptForTheNextRun()
    {
        serveCookiePages(web, u"kept"_s);
        writeList({web.url(u"/kept-login.html"_s)});
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        writeList({web.url(u"/kept-report.html"_s)});
        const int before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        const QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"Report for the logged-in user"_s), qPrintable(jobs[0].text));
    }

    // A private run sees no cookie kept by the runs before it, and keeps none for those after it.
    void aPrivateRunNeitherSeesNorKeepsCookies()
    {
        serveCookiePages(web, u"before"_s);
        serveCookiePages(web, u"private"_s);
        writeList({web.url(u"/before-login.html"_s)});
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        writeList(
            {web.url(u"/before-report.html"_s), web.url(u"/private-login.html"_s), web.url(u"/private-report.html"_s)});
        int before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue, u"--private"_s}).exitCode, 0);
        QList<PrintedJob> jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 3);
        QVERIFY2(jobs[0].text.contains(u"Please log in"_s), qPrintable(jobs[0].text));
        // Within the private run, the site's cookie works as anywhere.
        QVERIFY2(jobs[2].text.contains(u"Report for the logged-in user"_s), qPrintable(jobs[2].text));

        writeList({web.url(u"/private-report.html"_s)});
        before = jobCount(kQueue);
        QCOMPARE(runProcess({u"--printer"_s, kQueue}).exitCode, 0);
        jobs = jobsSince(kQueue, before);
        QCOMPARE(jobs.size(), 1);
        QVERIFY2(jobs[0].text.contains(u"Please log in"_s), qPrintable(jobs[0].text));
    }
};

QUILLBRAE_TEST_MAIN(CommandLineLoginsTest)
#include "test_command_line_logins.moc"
