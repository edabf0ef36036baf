#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/RealServices.h"
#include "support/FakeDialogs.h"
#include "support/FakePing.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

// The pause explanation and the help window.
class HelpTest : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;

    QList<HelpWindow *> helpWindows(const MainWindow &form) const
    {
        QList<HelpWindow *> open;
        for (HelpWindow *window : form.findChildren<HelpWindow *>())
            if (window->isVisible())
                open.append(window);
        return open;
    }

private slots:
    void pauseExplanationIsShownWithNoIcon()
    {
        Services services = realServices();
        services.dialogs = &dialogs;
        MainWindow form(services);
        child<QPushButton>(form, "PushButton10")->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("This feature will pause between sending sites")));
        QVERIFY(dialogs.messages[0].text.endsWith(QStringLiteral("try pausing for a longer period of time.")));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("Quillbrae"));
    }

    void helpOpensOneWindowWithSevenLinesEachTime()
    {
        Services services = realServices();
        services.dialogs = &dialogs;
        MainWindow form(services);
        QPushButton *helpButton = child<QPushButton>(form, "PushButton13");
        helpButton->click();
        helpButton->click();
        QCOMPARE(helpWindows(form).size(), 1);
        HelpWindow *help = helpWindows(form).first();
        QCOMPARE(help->steps().size(), 7);
        QCOMPARE(help->steps().at(0),
                 QStringLiteral("If you are receiving the above error message when working with this software, "
                                "follow this:"));
        QCOMPARE(help->steps().at(1), QString());
        QCOMPARE(help->steps().at(6), QStringLiteral("Click OK to close all windows, and restart the computer."));
        QCOMPARE(help->picture().pixmap().size(), QSize(524, 344));
        QVERIFY(!help->isModal());

        help->close();
        QTRY_VERIFY(helpWindows(form).isEmpty());
        helpButton->click();
        QCOMPARE(helpWindows(form).size(), 1);
        QCOMPARE(helpWindows(form).first()->steps().size(), 7);
        QCOMPARE(dialogs.errorReports().size(), 0);
    }
};

QUILLBRAE_TEST_MAIN(HelpTest)
#include "test_help.moc"
