#include "gui/QtDialogs.h"
#include "support/TestEnvironment.h"

#include <QPushButton>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// The real dialogs behind the seam, each opened for real and answered from a timer.
class RealDialogsTest : public QObject
{
    Q_OBJECT

    // Runs answer on the first modal dialog to appear.
    static void whenModalAppears(std::function<void(QWidget *)> answer)
    {
        auto *poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                answer(modal);
            }
        });
        poll->start(20);
    }

private slots:
    void messageBoxShowsTextTitleIconAndOnlyOk()
    {
        QString shownText;
        QString shownTitle;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        int buttons = 0;
        whenModalAppears([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            shownText = box->text();
            shownTitle = box->windowTitle();
            shownIcon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        QtDialogs().message(QStringLiteral("Disk full\r\nin X at line 3\r\rPlease"),
                            QStringLiteral("Application Error"), Dialogs::Icon::Warning);
        QCOMPARE(shownText, QStringLiteral("Disk full\nin X at line 3\n\nPlease"));
        QCOMPARE(shownTitle, QStringLiteral("Application Error"));
        QCOMPARE(shownIcon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
    }

    void inputBoxGivesTheTypedTextOrNothingOnCancel()
    {
        whenModalAppears([](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->labelText(), QStringLiteral("Enter URL to add: "));
            dialog->setTextValue(QStringLiteral("  example.com  "));
            dialog->accept();
        });
        QCOMPARE(QtDialogs().input(QStringLiteral("Enter URL to add: "), QStringLiteral("Quillbrae"), QString()),
                 QStringLiteral("  example.com  "));

        whenModalAppears([](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            QVERIFY(dialog);
            dialog->setTextValue(QStringLiteral("typed then cancelled"));
            dialog->reject();
        });
        QCOMPARE(QtDialogs().input(QStringLiteral("Enter URL to add: "), QStringLiteral("Quillbrae"), QString()),
                 QString());
    }

    void fileDialogGivesTheChosenPathOrNothingOnCancel()
    {
        QTemporaryDir folder;
        const QString chosen = folder.filePath(QStringLiteral("list.txt"));
        QFile(chosen).open(QIODevice::WriteOnly);
        Dialogs::OpenFileRequest request;
        request.title = QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files");
        request.filters = QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")};

        QString shownTitle;
        QString shownFilter;
        whenModalAppears([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            shownTitle = dialog->windowTitle();
            shownFilter = dialog->selectedNameFilter();
            // Type the name as a user would: the dialog takes what its name field holds.
            auto *nameField = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(nameField);
            nameField->setText(chosen);
            static_cast<QDialog *>(dialog)->accept(); // a file dialog hides accept() behind its base
        });
        QCOMPARE(QtDialogs().openFile(request), chosen);
        QCOMPARE(shownTitle, request.title);
        QCOMPARE(shownFilter, request.filters.first());

        whenModalAppears([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
        QCOMPARE(QtDialogs().openFile(request), QString());
    }
};

QUILLBRAE_TEST_MAIN(RealDialogsTest)
#include "test_real_dialogs.moc"
