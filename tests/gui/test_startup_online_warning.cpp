#include "gui/MainWindow.h"
#include "runtime/Services.h"
#include "support/FakeDialogs.h"
#include "support/FakeStartup.h"
#include "support/QuietServices.h"
#include "support/ScriptedPing.h"
#include "support/TestEnvironment.h"

namespace {
// Remembers, for every message, whether the main window was already on screen.
class WindowWatchingDialogs : public FakeDialogs
{
public:
    void message(const QString &text, const QString &title, Icon icon) override
    {
        windowVisibleAtMessage.append(window && window->isVisible());
        FakeDialogs::message(text, title, icon);
    }

    QWidget *window = nullptr;
    QVector<bool> windowVisibleAtMessage;
};
} // namespace

class StartupOnlineWarningTest : public QObject
{
    Q_OBJECT

private slots:
    void warningShowsOnceBeforeTheWindowWhenOffline_data()
    {
        QTest::addColumn<QByteArray>("ping");
        QTest::addColumn<bool>("warned");
        QTest::newRow("offline") << QByteArray("echo 'ping: www.example: Temporary failure in name resolution' >&2\n"
                                               "exit 2")
                                 << true;
        QTest::newRow("online") << QByteArray("echo '64 bytes from 192.0.2.1: icmp_seq=1 ttl=117 time=9.14 ms'")
                                << false;
    }

    void warningShowsOnceBeforeTheWindowWhenOffline()
    {
        QFETCH(QByteArray, ping);
        QFETCH(bool, warned);
        ScriptedPing fake;
        fake.behave(ping);
        WindowWatchingDialogs dialogs;
        NoPrinters printers;
        FixedDraw random(1);
        RecordingOpener opener;
        MainWindow form(Services{&dialogs, &printers, &random, &opener});
        dialogs.window = &form;

        form.show();

        QVERIFY(form.isVisible());
        QCOMPARE(dialogs.messages.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(dialogs.messages[0].text, QStringLiteral("You must be online to use this software accurately."));
            QCOMPARE(dialogs.windowVisibleAtMessage, QVector<bool>{false});
        }
    }
};

QUILLBRAE_TEST_MAIN(StartupOnlineWarningTest)
#include "test_startup_online_warning.moc"
