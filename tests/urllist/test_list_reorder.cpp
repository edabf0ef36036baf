#include "ListWindow.h"

#include "shell/AppPaths.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

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

// Puts the screen pointer at a height without touching the window: the list scrolls by the
// pointer's screen row, which synthetic mouse events alone do not move.
void pointerAtScreenY(int y)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCursor::setPos(screen.right() - 1, y);
    QTRY_COMPARE(QCursor::pos().y(), y);
}
} // namespace

// Move Up, Move Down and drag reordering on the real list, with real clicks and mouse events.
class ListReorderTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ListWindow> window;

    Form1 &form() { return window->form(); }

    // Presses on one row, moves over the given rows in turn, and releases on the last.
    void drag(int from, const QList<int> &over, Qt::MouseButton button = Qt::LeftButton)
    {
        window->press(window->rowPoint(from), button);
        QPoint point = window->rowPoint(from);
        for (int position : over) {
            point = window->rowPoint(position);
            window->moveTo(point);
        }
        window->release(point, button);
    }

    QPoint belowTheRows() { return {10, form().ListView1->viewport()->height() - 3}; }

private slots:
    void init()
    {
        QFile::remove(dragPicturePath());
        window = std::make_unique<ListWindow>();
        pointerAtScreenY(335); // the band where a drag does not scroll
    }
    void cleanup()
    {
        window.reset();
        QFile::remove(dragPicturePath());
    }

    void movingExchangesWithTheNeighbourAndKeepsTheRowSelected()
    {
        window->setRows({"a", "b", "c", "d"});
        window->select(3);
        form().PushButton3->click();
        QCOMPARE(window->rows(), (QStringList{"a", "c", "b", "d"}));
        QCOMPARE(window->selectedPosition(), 2);
        QVERIFY(window->listHasFocus());
        form().PushButton3->click();
        QCOMPARE(window->rows(), (QStringList{"c", "a", "b", "d"}));
        form().PushButton5->click();
        form().PushButton5->click();
        form().PushButton5->click(); // onto the last row from the last-but-one
        QCOMPARE(window->rows(), (QStringList{"a", "b", "d", "c"}));
        QCOMPARE(window->selectedPosition(), 4);
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void movingPastAnEndOnlyFocusesTheList()
    {
        window->setRows({"a", "b", "c"});
        for (auto [position, button] : {std::pair{1, form().PushButton3}, std::pair{3, form().PushButton5}}) {
            window->select(position);
            form().PushButton13->setFocus();
            button->click();
            QCOMPARE(window->rows(), (QStringList{"a", "b", "c"}));
            QCOMPARE(window->selectedPosition(), position);
            QVERIFY(window->listHasFocus());
        }
        window->setRows({"only"});
        for (QPushButton *button : {form().PushButton3, form().PushButton5}) {
            form().PushButton13->setFocus();
            button->click();
            QCOMPARE(window->rows(), QStringList{"only"});
            QVERIFY(window->listHasFocus());
        }
        window->setRows({});
        form().PushButton13->setFocus();
        form().PushButton3->click();
        form().PushButton5->click();
        QVERIFY(!window->listHasFocus());
        QVERIFY(window->dialogs.messages.isEmpty());
    }

    void movingActsOnTheSelectedDuplicate()
    {
        window->setRows({"x", "y", "x", "z"});
        window->select(3);
        form().PushButton5->click();
        QCOMPARE(window->rows(), (QStringList{"x", "y", "z", "x"}));
        form().PushButton3->click();
        form().PushButton3->click();
        QCOMPARE(window->rows(), (QStringList{"x", "x", "y", "z"}));
        QCOMPARE(window->selectedPosition(), 2);
    }

    void theMovedRowIsScrolledIntoView()
    {
        const QStringList rows = numberedRows(60);
        window->setRows(rows);
        window->select(1);
        form().ListView1->scrollToBottom();
        QVERIFY(!window->rowVisible(2));
        form().PushButton5->click();
        QCOMPARE(window->selectedPosition(), 2);
        QVERIFY(window->rowVisible(2));
        window->select(60);
        form().ListView1->scrollToTop();
        form().PushButton3->click();
        QVERIFY(window->rowVisible(59));
        QCOMPARE(window->rows().size(), rows.size());
    }

    // Over each new row the dragged address and that row's address trade places; the rows passed
    // over move up by one and the dragged row stays selected.
    void draggingDownOneRowAtATime()
    {
        window->setRows({"a", "b", "c", "d", "e"});
        window->press(window->rowPoint(1));
        QVERIFY(form().DragActive);
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{"b", "a", "c", "d", "e"}));
        QCOMPARE(window->selectedPosition(), 2);
        window->moveTo(window->rowPoint(2) + QPoint(0, 2)); // still the same row: nothing more
        window->moveTo(window->rowPoint(3));
        window->moveTo(window->rowPoint(4));
        QCOMPARE(window->rows(), (QStringList{"b", "c", "d", "a", "e"}));
        QCOMPARE(window->selectedPosition(), 4);
        window->release(window->rowPoint(4));
        QVERIFY(!form().DragActive);
        window->moveTo(window->rowPoint(1)); // no button held: nothing moves
        QCOMPARE(window->rows(), (QStringList{"b", "c", "d", "a", "e"}));
        QCOMPARE(form().ListView1->cursor().shape(), Qt::ArrowCursor);
    }

    void aQuickMoveExchangesOnlyTheTwoRows()
    {
        window->setRows({"a", "b", "c", "d", "e"});
        drag(1, {4});
        QCOMPARE(window->rows(), (QStringList{"d", "b", "c", "a", "e"}));
        drag(4, {2});
        QCOMPARE(window->rows(), (QStringList{"d", "a", "c", "b", "e"}));
        QCOMPARE(window->selectedPosition(), 2);
    }

    void sameAddressOrNoRowExchangesNothing()
    {
        window->setRows({"a", "b", "a"});
        window->press(window->rowPoint(1));
        window->moveTo(window->rowPoint(3));
        window->moveTo(belowTheRows());
        QCOMPARE(window->rows(), (QStringList{"a", "b", "a"}));
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{"b", "a", "a"}));
        window->release(window->rowPoint(2));
    }

    // A drag that starts away from the rows uses the address last dragged; before any row has
    // been clicked, and after that row has been removed, there is none and nothing moves.
    void aDragWithoutAClickedRow()
    {
        window->setRows({"a", "b", "c", "d"});
        window->press(belowTheRows());
        window->moveTo(window->rowPoint(2));
        window->moveTo(window->rowPoint(3));
        window->release(window->rowPoint(3));
        QCOMPARE(window->rows(), (QStringList{"a", "b", "c", "d"}));

        drag(1, {2});
        window->press(belowTheRows());
        window->moveTo(window->rowPoint(4));
        window->release(window->rowPoint(4));
        QCOMPARE(window->rows(), (QStringList{"b", "d", "c", "a"}));

        QTest::keyClick(form().ListView1, Qt::Key_Delete); // removes the dragged row
        QCOMPARE(window->rows(), (QStringList{"b", "d", "c"}));
        window->press(belowTheRows());
        window->moveTo(window->rowPoint(1));
        window->moveTo(window->rowPoint(2));
        window->release(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{"b", "d", "c"}));
    }

    void theRightButtonDragsToo()
    {
        window->setRows({"a", "b", "c"});
        drag(3, {2, 1}, Qt::RightButton);
        QCOMPARE(window->rows(), (QStringList{"c", "a", "b"}));
        QCOMPARE(window->selectedPosition(), 1);
        QVERIFY(!form().DragActive);
    }

    // After an exchange the list reveals the row above the hit row when the pointer is high on
    // the screen, the row below it when low, and neither in between.
    void dragScrollingFollowsThePointersScreenRow()
    {
        window->setRows(numberedRows(60));
        QTreeView &view = *form().ListView1;
        int lastVisible = 1;
        while (window->rowVisible(lastVisible + 1))
            ++lastVisible;

        pointerAtScreenY(335);
        drag(lastVisible - 1, {lastVisible});
        QVERIFY(!window->rowVisible(lastVisible + 1));
        pointerAtScreenY(400);
        drag(lastVisible - 1, {lastVisible});
        QVERIFY(window->rowVisible(lastVisible + 1));

        view.scrollToBottom();
        int firstVisible = 60;
        while (window->rowVisible(firstVisible - 1))
            --firstVisible;
        pointerAtScreenY(304);
        drag(firstVisible + 1, {firstVisible});
        QVERIFY(window->rowVisible(firstVisible - 1));
    }

    void theDragPointerComesFromItsPictureWhenThereIsOne()
    {
        window->setRows({"a", "b"});
        window->press(window->rowPoint(1));
        QVERIFY(form().ListView1->cursor().shape() != Qt::BitmapCursor);
        window->moveTo(window->rowPoint(2));
        window->release(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{"b", "a"}));

        QFile broken(dragPicturePath());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        drag(2, {1});
        QCOMPARE(window->rows(), (QStringList{"a", "b"}));

        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(dragPicturePath(), "ICO"));
        window->press(window->rowPoint(1));
        QCOMPARE(form().ListView1->cursor().shape(), Qt::BitmapCursor);
        window->moveTo(window->rowPoint(2));
        QCOMPARE(window->rows(), (QStringList{"b", "a"}));
        window->release(window->rowPoint(2));
        QCOMPARE(form().ListView1->cursor().shape(), Qt::ArrowCursor);
    }
};

QUILLBRAE_TEST_MAIN(ListReorderTest)
#include "test_list_reorder.moc"
