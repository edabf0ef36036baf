#include "ListWindow.h"

#include "shell/AppTitle.h"
#include "shell/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

namespace {
const QStringList kSamples{"https://www.google.com/", "https://www.bing.com/", "https://duckduckgo.com/"};

// A file dialog whose chosen names did not fit into its buffer.
class OverflowingDialogs : public FakeDialogs
{
public:
    QString openFile(const OpenFileRequest &) override
    {
        throw RuntimeError(20476, QStringLiteral("Buffer too small"));
    }
};
} // namespace

// Adding, removing and clearing rows, and loading list files, through the window's own buttons,
// keys and mouse.
class ListCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ListWindow> window;

private slots:
    void init() { window = std::make_unique<ListWindow>(); }
    void cleanup() { window.reset(); }

    void addUrlKeepsTheAnswerExactly()
    {
        Form1 &form = window->form();
        window->dialogs.inputAnswers << QString() << QStringLiteral("  https://a.example/  ")
                                     << QStringLiteral("not an address") << QStringLiteral("not an address");
        for (int i = 0; i < 4; ++i)
            form.PushButton1->click();
        QCOMPARE(window->rows(), (QStringList{"  https://a.example/  ", "not an address", "not an address"}));
        QCOMPARE(window->dialogs.inputs.size(), 4);
        QCOMPARE(window->dialogs.inputs[0].text, QStringLiteral("Enter URL to add: "));
        QCOMPARE(window->dialogs.inputs[0].title, applicationTitle());
        QCOMPARE(window->selectedPosition(), 1);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void samplesAppendAndClearEmpties()
    {
        Form1 &form = window->form();
        form.PushButton7->click(); // an empty list: nothing to do, nothing shown
        window->setRows({"mine"});
        form.PushButton9->click();
        form.PushButton9->click();
        QCOMPARE(window->rows(), QStringList{"mine"} + kSamples + kSamples);
        form.PushButton7->click();
        QVERIFY(window->rows().isEmpty());
        QCOMPARE(form.ListView1->model()->rowCount(), 0);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    // Delete (with any shift state) and a double-click remove the selected row, wherever the
    // pointer is, and a neighbour becomes the selected row.
    void deleteAndDoubleClickRemoveTheSelectedRow()
    {
        Form1 &form = window->form();
        QTest::keyClick(form.ListView1, Qt::Key_Delete); // an empty list
        window->setRows({"a", "b", "c", "d", "e"});
        window->select(2);
        QTest::keyClick(form.ListView1, Qt::Key_Delete);
        QCOMPARE(window->rows(), (QStringList{"a", "c", "d", "e"}));
        QCOMPARE(window->selectedPosition(), 2);
        QTest::keyClick(form.ListView1, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(window->rows(), (QStringList{"a", "d", "e"}));
        QTest::keyClick(form.ListView1, Qt::Key_Backspace);
        QTest::keyClick(form.ListView1, Qt::Key_D);
        QCOMPARE(window->rows().size(), 3);

        window->select(3);
        const QPoint belowTheRows(10, form.ListView1->viewport()->height() - 5);
        window->doubleClick(belowTheRows);
        QCOMPARE(window->rows(), (QStringList{"a", "d"}));
        QCOMPARE(window->selectedPosition(), 2);
        window->doubleClick(window->rowPoint(1));
        QCOMPARE(window->rows(), QStringList{"d"});
        window->doubleClick(window->rowPoint(1));
        QVERIFY(window->rows().isEmpty());
        window->doubleClick(belowTheRows);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    // A Ctrl+click on the selected row would leave none selected; the list keeps it.
    void theSelectedRowCannotBeDeselected()
    {
        Form1 &form = window->form();
        window->setRows({"a", "b"});
        window->select(2);
        QTest::mouseClick(form.ListView1->viewport(), Qt::LeftButton, Qt::ControlModifier, window->rowPoint(2));
        QCOMPARE(window->selectedPosition(), 2);
        QTest::keyClick(form.ListView1, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(window->selectedPosition(), 2);
    }

    // While a print run shows the hourglass, nothing removes or moves rows; adding still works.
    void busyPointerRefusesRemovingAndMoving()
    {
        Form1 &form = window->form();
        const QStringList rows{"a", "b", "c"};
        window->setRows(rows);
        window->select(2);
        form.PushButton13->setFocus();
        form.setMousePointer(Form1::kBusyPointer);
        form.PushButton7->click();
        QTest::keyClick(form.ListView1, Qt::Key_Delete);
        form.PushButton13->setFocus();
        window->doubleClick(window->rowPoint(2));
        form.PushButton13->setFocus();
        form.PushButton3->click();
        form.PushButton5->click();
        QCOMPARE(window->rows(), rows);
        QVERIFY(!window->listHasFocus());
        window->dialogs.inputAnswers << QStringLiteral("added");
        form.PushButton1->click();
        form.PushButton9->click();
        QCOMPARE(window->rows(), rows + QStringList{"added"} + kSamples);

        form.setMousePointer(Form1::kDefaultPointer);
        window->setRows(rows);
        window->select(2);
        form.PushButton3->click();
        QCOMPARE(window->rows(), (QStringList{"b", "a", "c"}));
        form.PushButton5->click();
        QCOMPARE(window->rows(), rows);
        QTest::keyClick(form.ListView1, Qt::Key_Delete);
        QCOMPARE(window->rows(), (QStringList{"a", "c"}));
        window->doubleClick(window->rowPoint(1));
        QCOMPARE(window->rows(), QStringList{"c"});
        form.PushButton7->click();
        QVERIFY(window->rows().isEmpty());
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void loadListAsksForOneFileAndAppendsIt()
    {
        Form1 &form = window->form();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("list.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("https://a.example/\r\nhttps://b.example/\r\n");
        file.close();
        window->setRows({"mine"});

        window->dialogs.fileAnswers << QString() << path;
        form.PushButton6->click();
        form.PushButton6->click();
        QCOMPARE(window->rows(), (QStringList{"mine", "https://a.example/", "https://b.example/"}));
        QCOMPARE(window->dialogs.fileRequests.size(), 2);
        const Dialogs::OpenFileRequest &request = window->dialogs.fileRequests[0];
        QCOMPARE(request.title, QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"));
        QCOMPARE(request.filters, (QStringList{"Text Files (*.txt)", "All Files (*)"}));
        QVERIFY(!request.multipleSelection);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void loadListAnswersWhatItCannotLoad()
    {
        Form1 &form = window->form();
        QTemporaryDir folder;
        window->setRows({"mine"});
        window->dialogs.fileAnswers << path(folder, "a.txt") + QChar(0) + path(folder, "b.txt")
                                    << path(folder, "missing.txt") << folder.path();
        form.PushButton6->click();
        form.PushButton6->click();
        form.PushButton6->click();
        QCOMPARE(window->rows(), QStringList{"mine"});
        const auto &messages = window->dialogs.messages;
        QCOMPARE(messages.size(), 3);
        QCOMPARE(messages[0].text, QStringLiteral("Please select just one file."));
        QCOMPARE(messages[1].text, QStringLiteral("File not found"));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(messages[i].title, applicationTitle());
            QCOMPARE(messages[i].icon, Dialogs::Icon::None);
        }
        QCOMPARE(window->dialogs.errorReports().size(), 1);
        QVERIFY(messages[2].text.startsWith(QStringLiteral(
            "Path/File access error\r\nin Quillbrae2021/08/31.Form1.PushButton6_Click at line 118\r\r")));
    }

    void tooManyFilesForTheDialogIsExplained()
    {
        OverflowingDialogs dialogs;
        Services services = Services::real();
        services.dialogs = &dialogs;
        Form1 form(services);
        form.PushButton6_Click();
        QCOMPARE(
            dialogs.messageTexts(),
            QStringList{"You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button."});
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::None);
        QCOMPARE(dialogs.messages[0].title, applicationTitle());
    }

private:
    static QString path(const QTemporaryDir &folder, const char *name) { return folder.filePath(QLatin1String(name)); }
};

QUILLBRAE_TEST_MAIN(ListCommandsTest)
#include "test_list_commands.moc"
