#include "gui/OnlineWarning.h"
#include "support/FakeDialogs.h"
#include "support/ScriptedPing.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

namespace {
constexpr std::chrono::milliseconds kShortLimit(500);
constexpr auto kReply = "echo '64 bytes from 192.0.2.1: icmp_seq=1 ttl=117 time=9.14 ms'";
} // namespace

class OnlineCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void replyMeansOnline_data()
    {
        QTest::addColumn<QByteArray>("ping");
        QTest::newRow("reply") << QByteArray("echo 'PING host (192.0.2.1) 56(84) bytes of data.'\n") + kReply;
        QTest::newRow("reply in capitals") << QByteArray("echo '64 BYTES FROM 192.0.2.1: icmp_seq=1'");
        QTest::newRow("reply, then still running at the limit") << QByteArray(kReply) + "\nexec sleep 120";
    }

    void replyMeansOnline()
    {
        QFETCH(QByteArray, ping);
        ScriptedPing fake;
        fake.behave(ping);
        FakeDialogs dialogs;
        warnIfOffline(dialogs, kShortLimit);
        QVERIFY(dialogs.messages.isEmpty());
        // One echo request, waiting at most 2 s, to one host.
        const QStringList arguments = fake.arguments();
        QCOMPARE(arguments.size(), 5);
        QCOMPARE(arguments.mid(0, 4), (QStringList{u"-c"_s, u"1"_s, u"-W"_s, u"2"_s}));
    }

    void noReplyWarnsOnce_data()
    {
        QTest::addColumn<QByteArray>("ping");
        QTest::newRow("no reply") << QByteArray("echo 'PING host (192.0.2.1) 56(84) bytes of data.'\n"
                                                "echo '1 packets transmitted, 0 received, 100% packet loss'\nexit 1");
        QTest::newRow("no output") << QByteArray("exit 1");
        QTest::newRow("reply marker only on standard error")
            << QByteArray("echo 'ping: 64 bytes from nowhere: Temporary failure in name resolution' >&2\nexit 2");
        QTest::newRow("still resolving at the limit") << QByteArray("exec sleep 120");
        QTest::newRow("no ping at all") << QByteArray();
    }

    void noReplyWarnsOnce()
    {
        QFETCH(QByteArray, ping);
        ScriptedPing fake;
        if (ping.isEmpty())
            fake.remove();
        else
            fake.behave(ping);
        FakeDialogs dialogs;
        warnIfOffline(dialogs, kShortLimit);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("You must be online to use this software accurately."));
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Quillbrae"));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
    }
};

QUILLBRAE_TEST_MAIN(OnlineCheckTest)
#include "test_online_check.moc"
