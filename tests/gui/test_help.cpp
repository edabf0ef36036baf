#include "gui/Form1.h"
#include "gui/Form2.h"
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

    QList<Form2 *> helpWindows(const Form1 &form) const
    {
        QList<Form2 *> open;
        for (Form2 *window : form.findChildren<Form2 *>())
            if (window->isVisible())
                open.append(window);
        return open;
    }

private slots:
    void pauseExplanationIsShownWithNoIcon()
    {
        Services services = realServices();
        services.dialogs = &dialogs;
        Form1 form(services);
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
        Form1 form(services);
        QPushButton *helpButton = child<QPushButton>(form, "PushButton13");
        helpButton->click();
        helpButton->click();
        QCOMPARE(helpWindows(form).size(), 1);
        Form2 *help = helpWindows(form).first();
        QCOMPARE(help->List1->count(), 7);
        QCOMPARE(help->List1->item(0)->text(),
                 QStringLiteral("If you are receiving the above error message when working with this software, "
                                "follow this:"));
        QCOMPARE(help->List1->item(1)->text(), QString());
        QCOMPARE(help->List1->item(6)->text(),
                 QStringLiteral("Click OK to close all windows, and restart the computer."));
        QCOMPARE(help->Image1->pixmap().size(), QSize(524, 344));
        QVERIFY(!help->isModal());

        help->close();
        QTRY_VERIFY(helpWindows(form).isEmpty());
        helpButton->click();
        QCOMPARE(helpWindows(form).size(), 1);
        QCOMPARE(helpWindows(form).first()->List1->count(), 7);
        QCOMPARE(dialogs.errorReports().size(), 0);
    }
};

QUILLBRAE_TEST_MAIN(HelpTest)
#include "test_help.moc"
