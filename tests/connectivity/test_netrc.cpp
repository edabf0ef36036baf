#include "connectivity/Netrc.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

// A .netrc file as curl and wget read it.
class NetrcTest : public QObject
{
    Q_OBJECT

private slots:
    void theHostsEntryOrTheDefaultGivesTheLogin_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("host");
        // "-" for no login at all; else "login:password".
        QTest::addColumn<QString>("expected");

        const QByteArray sites = "machine a.example login ann password one\n"
                                 "machine b.example login bob password two\n"
                                 "default login anyone password any\n";
        QTest::newRow("a machine's entry") << sites << u"b.example"_s << u"bob:two"_s;
        QTest::newRow("host names compared without case") << sites << u"B.Example"_s << u"bob:two"_s;
        QTest::newRow("default for any other host") << sites << u"c.example"_s << u"anyone:any"_s;
        QTest::newRow("nothing without an entry or a default")
            << QByteArray("machine a.example login ann password one") << u"c.example"_s << u"-"_s;
        QTest::newRow("the first entry of a host wins")
            << QByteArray("machine a.example login first password 1\nmachine a.example login second password 2")
            << u"a.example"_s << u"first:1"_s;
        QTest::newRow("tokens across lines and tabs")
            << QByteArray("machine\n\ta.example\r\n  login\tann\n\n  password one\n") << u"a.example"_s << u"ann:one"_s;
        QTest::newRow("a keyword as another entry's value is a value")
            << QByteArray("machine x.example login machine password a.example\nmachine a.example login ann "
                          "password one")
            << u"a.example"_s << u"ann:one"_s;
        QTest::newRow("quoted values with spaces and escapes")
            << QByteArray(R"(machine a.example login "ann smith" password "say \"hi\"\\ \t#not a comment")")
            << u"a.example"_s << u"ann smith:say \"hi\"\\ \t#not a comment"_s;
        QTest::newRow("a quote left open runs to the end")
            << QByteArray("machine a.example login ann password \"open end") << u"a.example"_s << u"ann:open end"_s;
        QTest::newRow("comments are skipped to the line's end")
            << QByteArray("# machine a.example login wrong password wrong\nmachine a.example login ann # note\n"
                          "password one")
            << u"a.example"_s << u"ann:one"_s;
        QTest::newRow("a macro's lines up to an empty one are skipped")
            << QByteArray("macdef init\ncd /pub\nmachine a.example login wrong password wrong\n\n"
                          "machine a.example login ann password one")
            << u"a.example"_s << u"ann:one"_s;
        QTest::newRow("account is read and left out")
            << QByteArray("machine a.example login ann account acct password one") << u"a.example"_s << u"ann:one"_s;
        QTest::newRow("an entry without a password has an empty one")
            << QByteArray("machine a.example login ann") << u"a.example"_s << u"ann:"_s;
        QTest::newRow("a value cut off by the end of the file")
            << QByteArray("machine a.example login ann password") << u"a.example"_s << u"ann:"_s;
        QTest::newRow("UTF-8 values") << QByteArray("machine a.example login J\xc3\xbcrgen password gr\xc3\xbc\xc3\x9f")
                                      << u"a.example"_s << u"Jürgen:grüß"_s;
        QTest::newRow("an empty file") << QByteArray() << u"a.example"_s << u"-"_s;
    }

    void theHostsEntryOrTheDefaultGivesTheLogin()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, host);
        QFETCH(QString, expected);
        const std::optional<NetrcLogin> login = netrcLogin(text, host);
        QCOMPARE(login ? login->login + u':' + login->password : u"-"_s, expected);
    }
};

QUILLBRAE_TEST_MAIN(NetrcTest)
#include "test_netrc.moc"
