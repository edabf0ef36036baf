#include "ListWindow.h"
#include "gui/AddressListGestures.h"

#include "runtime/AppPaths.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"

#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
QStringList numberedRows(int count)
{
    QStringList rows;
    for (int i = 1; i <= count; ++i)
        rows << QStringLiteral("https://example.com/%1").arg(i);
    return rows;
}

QString dragPicturePath()
{
    return applicationFolder() + QStringLiteral("/drag.ico");
}

// Puts the screen pointer at a height, away from the window: the list scrolls by the pointer's
// screen row during a drag, which synthetic mouse events with a button held do not move.
void pointerAtScreenY(int y)
{
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().right() - 1, y);
    QTRY_COMPARE(QCursor::pos().y(), y);
}
} // namespace

// Move Up, Move Down and drag reordering on the real list, with real clicks and mouse events.
class ListReorderTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ListWindow> window;

    MainWindow &form() { return window->form(); }
    QPoint belowTheRows() { return {10, window->listView()->viewport()->height() - 3}; }

    // Presses on a point, moves over the given rows in turn, and releases.
    void drag(QPoint from, const QList<int> &over, Qt::MouseButton button = Qt::LeftButton)
    {
        window->press(from, button);
        for (int position : over)
            window->moveTo(window->rowPoint(position));
        window->release(from, button);
    }
    void drag(int from, const QList<int> &over, Qt::MouseButton button = Qt::LeftButton)
    {
        drag(window->rowPoint(from), over, button);
    }

private slots:
    void init()
    {
        QFile::remove(dragPicturePath());
        window = std::make_unique<ListWindow>();
        pointerAtScreenY(335); // where a drag does not scroll
    }
    void cleanup()
    {
        window.reset();
        QFile::remove(dragPicturePath());
    }

    void movingExchangesWithTheNeighbourAndKeepsTheRowSelected()
    {
        window->setRows({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        window->select(3);
        window->button("PushButton3")->click();
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"c"_s, u"b"_s, u"d"_s}));
        QCOMPARE(window->selectedPosition(), 2);
        QVERIFY(window->listHasFocus());
        window->button("PushButton3")->click();
        for (int i = 0; i < 3; ++i)
            window->button("PushButton5")->click();
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"b"_s, u"d"_s, u"c"_s}));
        QCOMPARE(window->selectedPosition(), 4);

        window->setRows({u"x"_s, u"y"_s, u"x"_s, u"z"_s}); // the selected one of two equal rows moves
        window->select(3);
        window->button("PushButton5")->click();
        QCOMPARE(window->rows(), (QStringList{u"x"_s, u"y"_s, u"z"_s, u"x"_s}));
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void movingPastAnEndOnlyFocusesTheList()
    {
        for (const QStringList &rows : {QStringList{u"a"_s, u"b"_s, u"c"_s}, QStringList{u"only"_s}}) {
            window->setRows(rows);
            for (auto [position, button] :
                 {std::pair{1, window->button("PushButton3")}, std::pair{3, window->button("PushButton5")}}) {
                window->select(std::min(position, int(rows.size())));
                window->button("PushButton13")->setFocus();
                button->click();
                QCOMPARE(window->rows(), rows);
                QCOMPARE(window->selectedPosition(), std::min(position, int(rows.size())));
                QVERIFY(window->listHasFocus());
            }
        }
        window->setRows({});
        window->button("PushButton13")->setFocus();
        window->button("PushButton3")->click();
        window->button("PushButton5")->click();
        QVERIFY(!window->listHasFocus());
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void theMovedRowIsScrolledIntoView()
    {
        window->setRows(numberedRows(60));
        window->select(1);
        window->listView()->scrollToBottom();
        window->button("PushButton5")->click();
        QVERIFY(window->rowVisible(2));
        window->select(60);
        window->listView()->scrollToTop();
        window->button("PushButton3")->click();
        QVERIFY(window->rowVisible(59));
    }

    // Over each new row the dragged address and that row's address trade places; a quick move
    // exchanges only the two rows; the dragged row stays selected.
    void draggingExchangesWithTheRowUnderThePointer()
    {
        window->setRows({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s});
        window->press(window->rowPoint(1));
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"a"_s, u"c"_s, u"d"_s, u"e"_s}));
        QCOMPARE(window->selectedPosition(), 2);
        window->moveTo(window->rowPoint(2) + QPoint(0, 2));
        window->moveTo(window->rowPoint(3));
        window->moveTo(window->rowPoint(4));
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"c"_s, u"d"_s, u"a"_s, u"e"_s}));
        window->release(window->rowPoint(4));
        QVERIFY(!child<AddressListGestures>(form(), "AddressListGestures")->dragActive());
        window->moveTo(window->rowPoint(1)); // no button held: nothing moves
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"c"_s, u"d"_s, u"a"_s, u"e"_s}));

        drag(4, {1});
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"c"_s, u"d"_s, u"b"_s, u"e"_s}));
        drag(5, {4, 3}, Qt::RightButton);
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"c"_s, u"e"_s, u"d"_s, u"b"_s}));
        QCOMPARE(window->selectedPosition(), 3);
    }

    void sameAddressOrNoRowExchangesNothing()
    {
        window->setRows({u"a"_s, u"b"_s, u"a"_s});
        window->press(window->rowPoint(1));
        window->moveTo(window->rowPoint(3));
        window->moveTo(belowTheRows());
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"b"_s, u"a"_s}));
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"a"_s, u"a"_s}));
        window->release(window->rowPoint(2));
    }

    // A drag that starts away from the rows moves the address last dragged; before any row has
    // been clicked, and after that row has been removed, there is none and nothing moves.
    void aDragWithoutAClickedRow()
    {
        window->setRows({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        drag(belowTheRows(), {2, 3});
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
        drag(1, {2});
        drag(belowTheRows(), {4});
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"d"_s, u"c"_s, u"a"_s}));
        QTest::keyClick(window->listView(), Qt::Key_Delete); // removes the dragged row
        drag(belowTheRows(), {1, 2});
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"d"_s, u"c"_s}));
    }

    // After an exchange the list reveals the row above the hit row when the pointer is high on
    // the screen, the row below it when low, and neither in between.
    void dragScrollingFollowsThePointersScreenRow()
    {
        window->setRows(numberedRows(60));
        int lastVisible = 1;
        while (window->rowVisible(lastVisible + 1))
            ++lastVisible;
        drag(lastVisible - 1, {lastVisible});
        QVERIFY(!window->rowVisible(lastVisible + 1));
        pointerAtScreenY(400);
        drag(lastVisible - 1, {lastVisible});
        QVERIFY(window->rowVisible(lastVisible + 1));

        window->listView()->scrollToBottom();
        int firstVisible = 60;
        while (window->rowVisible(firstVisible - 1))
            --firstVisible;
        pointerAtScreenY(304);
        drag(firstVisible + 1, {firstVisible});
        QVERIFY(window->rowVisible(firstVisible - 1));
    }

    void theDragPointerComesFromItsPictureWhenThereIsOne()
    {
        window->setRows({u"a"_s, u"b"_s});
        QFile broken(dragPicturePath());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        for (int missing = 0; missing < 2; ++missing) {
            window->press(window->rowPoint(1));
            QVERIFY(window->listView()->cursor().shape() != Qt::BitmapCursor);
            window->moveTo(window->rowPoint(2));
            window->release(window->rowPoint(2));
            QFile::remove(dragPicturePath());
        }
        QCOMPARE(window->rows(), (QStringList{u"a"_s, u"b"_s}));

        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(dragPicturePath(), "ICO"));
        window->press(window->rowPoint(1));
        QCOMPARE(window->listView()->cursor().shape(), Qt::BitmapCursor);
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{u"b"_s, u"a"_s}));
        window->release(window->rowPoint(2));
        QCOMPARE(window->listView()->cursor().shape(), Qt::ArrowCursor);
    }
};

QUILLBRAE_TEST_MAIN(ListReorderTest)
#include "test_list_reorder.moc"
