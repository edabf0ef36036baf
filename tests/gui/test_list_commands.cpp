#include "ListWindow.h"

#include "gui/RealServices.h"
#include "gui/WindowPointer.h"
#include "runtime/AppTitle.h"
#include "runtime/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
const QStringList kSamples{u"https://www.google.com/"_s, u"https://www.bing.com/"_s, u"https://duckduckgo.com/"_s};
} // namespace

// Adding, removing and clearing rows, and loading list files, through the window's own buttons,
// keys and mouse.
class ListCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ListWindow> window;

    MainWindow &form() { return window->form(); }

    void verifyPlainMessage(int index, const QString &text)
    {
        const auto &message = window->dialogs.messages.at(index);
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, applicationTitle());
        QCOMPARE(message.icon, Dialogs::Icon::None);
    }

private slots:
    void init() { window = std::make_unique<ListWindow>(); }
    void cleanup() { window.reset(); }

    void addingKeepsTextsExactly()
    {
        window->dialogs.inputAnswers << QString() << QStringLiteral("  https://a.example/  ")
                                     << QStringLiteral("no address") << QStringLiteral("no address");
        for (int i = 0; i < 4; ++i)
            window->button("PushButton1")->click();
        window->button("PushButton9")->click();
        window->button("PushButton9")->click();
        QCOMPARE(window->rows(),
                 QStringList({u"  https://a.example/  "_s, u"no address"_s, u"no address"_s}) + kSamples + kSamples);
        QCOMPARE(window->dialogs.inputs.size(), 4);
        QCOMPARE(window->dialogs.inputs[0].text, QStringLiteral("Enter URL to add: "));
        QCOMPARE(window->dialogs.inputs[0].title, applicationTitle());
        QCOMPARE(window->selectedPosition(), 1);
        window->button("PushButton7")->click();
        QVERIFY(window->rows().isEmpty());
        window->button("PushButton7")->click();
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    // Delete (with any shift state) and a double-click remove the selected row, wherever the
    // pointer is, and a neighbour becomes the selected row; a Ctrl+click cannot leave none.
    void deleteAndDoubleClickRemoveTheSelectedRow()
    {
        QTreeView *list = window->listView();
        QTest::keyClick(list, Qt::Key_Delete); // an empty list
        window->setRows({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
        window->select(2);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"c"_s, u"d"_s, u"e"_s}));
        QCOMPARE(window->selectedPosition(), 2);
        QTest::keyClick(list, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Backspace);
        QTest::keyClick(list, Qt::Key_D);
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"d"_s, u"e"_s}));

        window->select(3);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, window->rowPoint(3));
        QCOMPARE(window->selectedPosition(), 3);
        const QPoint belowTheRows(10, list->viewport()->height() - 5);
        window->doubleClick(belowTheRows);
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"d"_s}));
        QCOMPARE(window->selectedPosition(), 2);
        window->doubleClick(window->rowPoint(1));
        window->doubleClick(window->rowPoint(1));
        QVERIFY(window->rows().isEmpty());
        window->doubleClick(belowTheRows);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    // While a print run shows the hourglass, nothing removes or moves rows; adding still works.
    void busyPointerRefusesRemovingAndMoving()
    {
        const QStringList rows{u"a"_s, u"b"_s, u"c"_s};
        window->setRows(rows);
        window->select(2);
        child<WindowPointer>(form(), "WindowPointer")->set(WindowPointer::Shape::Busy);
        window->button("PushButton7")->click();
        QTest::keyClick(window->listView(), Qt::Key_Delete);
        window->doubleClick(window->rowPoint(2));
        window->button("PushButton13")->setFocus();
        window->button("PushButton3")->click();
        window->button("PushButton5")->click();
        QCOMPARE(window->rows(), rows);
        QVERIFY(!window->listHasFocus());
        window->dialogs.inputAnswers << QStringLiteral("added");
        window->button("PushButton1")->click();
        window->button("PushButton9")->click();
        QCOMPARE(window->rows(), rows + QStringList{u"added"_s} + kSamples);

        child<WindowPointer>(form(), "WindowPointer")->set(WindowPointer::Shape::Arrow);
        window->setRows(rows);
        window->select(2);
        window->button("PushButton3")->click();
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"a"_s, u"c"_s}));
        window->button("PushButton5")->click();
        QTest::keyClick(window->listView(), Qt::Key_Delete);
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"c"_s}));
        window->doubleClick(window->rowPoint(1));
        QCOMPARE(window->rows(), QStringList{u"c"_s});
        window->button("PushButton7")->click();
        QVERIFY(window->rows().isEmpty());
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void loadingAsksForOneFileAndAppendsIt()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("list.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("https://a.example/\r\nhttps://b.example/\r\n");
        file.close();
        window->setRows({u"mine"_s});
        window->dialogs.fileAnswers << QString() << path;
        window->button("PushButton6")->click(); // cancelled
        window->button("PushButton6")->click();
        QCOMPARE(window->rows(), (QStringList{u"mine"_s, u"https://a.example/"_s, u"https://b.example/"_s}));
        const Dialogs::OpenFileRequest &request = window->dialogs.fileRequests.at(1);
        QCOMPARE(request.title, QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"));
        QCOMPARE(request.filters,
                 (QStringList{u"Text Files (*.txt)"_s, u"All Files (*)"_s,
                              u"Sitemaps, feeds and bookmarks (*.xml *.gz *.rss *.atom *.html *.htm)"_s}));
        QVERIFY(!request.multipleSelection);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void loadingAnswersWhatItCannotLoad()
    {
        QTemporaryDir folder;
        window->setRows({u"mine"_s});
        window->dialogs.fileAnswers << folder.filePath(QStringLiteral("missing.txt")) << folder.path();
        for (int i = 0; i < 2; ++i)
            window->button("PushButton6")->click();
        QCOMPARE(window->rows(), QStringList{u"mine"_s});
        QCOMPARE(window->dialogs.messages.size(), 2);
        verifyPlainMessage(0, QStringLiteral("File not found"));
        QVERIFY(window->dialogs.messages[1].text.startsWith(QStringLiteral(
            "Path/File access error\r\nin Quillbrae2021/08/31.Form1.PushButton6_Click at line 118\r\r")));
    }
};

QUILLBRAE_TEST_MAIN(ListCommandsTest)
#include "test_list_commands.moc"
