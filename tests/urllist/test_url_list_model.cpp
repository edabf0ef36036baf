#include "shell/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "urllist/DragExchange.h"
#include "urllist/UrlListModel.h"
#include "urllist/UrlListSelection.h"

#include <QSignalSpy>

// The list and its selection without a window: positions, the kept selection, append batches,
// and the exchange and scrolling rule of drag reordering.
class UrlListModelTest : public QObject
{
    Q_OBJECT

    static void fill(UrlListModel &list, const QStringList &texts)
    {
        for (const QString &text : texts)
            list.append(text);
    }

private slots:
    void operationsUsePositionsFromOne()
    {
        UrlListModel list;
        fill(list, {"a", "c"});
        list.insert(2, QStringLiteral("b"));
        list.insert(4, QStringLiteral("d"));
        QCOMPARE(list.texts(), (QStringList{"a", "b", "c", "d"}));
        list.remove(1);
        list.setText(3, QStringLiteral("D"));
        QCOMPARE(list.texts(), (QStringList{"b", "c", "D"}));
        QCOMPARE(list.text(1), QStringLiteral("b"));
        for (const auto &outside : std::initializer_list<std::function<void()>>{
                 [&] { list.text(0); }, [&] { list.text(4); }, [&] { list.remove(4); },
                 [&] { list.insert(5, QString()); }, [&] { list.setText(0, QString()); }, [&] { list.rowIndex(4); }}) {
            try {
                outside();
                QFAIL("a position outside the list was accepted");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.number(), 35600);
            }
        }
        QCOMPARE(list.count(), 3);
    }

    void viewsShowABoundedPrefixOfHugeTexts()
    {
        UrlListModel list;
        list.addColumn(QStringLiteral("URL(s)"));
        const QString huge(5 * 1024 * 1024, QLatin1Char('w'));
        list.append(huge);
        QCOMPARE(list.text(1), huge);
        QCOMPARE(list.data(list.index(0, 0), Qt::EditRole).toString(), huge);
        QCOMPARE(list.data(list.index(0, 0), Qt::DisplayRole).toString().size(), UrlListModel::kDisplayLength);
        QCOMPARE(list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("URL(s)"));
    }

    void batchedRowsReachViewsTogether()
    {
        UrlListModel list;
        list.append(QStringLiteral("before"));
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        {
            const UrlListAppendBatch batch(list);
            fill(list, {"a", "b", "c"});
            QCOMPARE(list.count(), 4);
            QCOMPARE(list.rowCount(), 1);
            QCOMPARE(list.text(4), QStringLiteral("c"));
            list.showPendingRows();
            QCOMPARE(list.rowCount(), 4);
            fill(list, {"d", "e"});
            // Any other change first shows what is pending, so views never see rows out of place.
            list.remove(1);
            QCOMPARE(list.rowCount(), 5);
            list.append(QStringLiteral("f"));
        }
        QCOMPARE(list.rowCount(), 6);
        QCOMPARE(list.texts(), (QStringList{"a", "b", "c", "d", "e", "f"}));
        QCOMPARE(inserted.size(), 3);
        QCOMPARE(inserted[0].at(1).toInt(), 1);
        QCOMPARE(inserted[0].at(2).toInt(), 3);
        list.clear();
        QCOMPARE(list.rowCount(), 0);
    }

    // Whenever the list has rows, one of them is selected.
    void aRowIsAlwaysSelected()
    {
        UrlListModel list;
        list.addColumn(QStringLiteral("URL(s)"));
        UrlListSelection selection(&list);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, selection.selectedPosition());
        fill(list, {"a", "b", "c", "d"});
        QCOMPARE(selection.selectedPosition(), 1); // the first row added to an empty list

        selection.selectPosition(3);
        QCOMPARE(selection.currentIndex().row(), 2);
        list.remove(3);
        QCOMPARE(selection.selectedPosition(), 3); // the row that moved up into its place
        QCOMPARE(list.text(3), QStringLiteral("d"));
        list.remove(3);
        QCOMPARE(selection.selectedPosition(), 2); // the new last row
        list.insert(1, QStringLiteral("z"));
        QCOMPARE(selection.selectedPosition(), 3); // an insertion above moves the selection along

        selection.select(list.rowIndex(3), QItemSelectionModel::Deselect);
        selection.clearSelection();
        selection.select(list.rowIndex(3), QItemSelectionModel::Toggle);
        QCOMPARE(selection.selectedPosition(), 3);
        selection.select(list.rowIndex(1), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(selection.selectedPosition(), 1);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, selection.selectPosition(4));

        list.clear();
        QVERIFY(!selection.hasSelection());
        {
            const UrlListAppendBatch batch(list);
            fill(list, {"x", "y"});
        }
        QCOMPARE(selection.selectedPosition(), 1);
        list.remove(1);
        list.remove(1);
        QVERIFY(!selection.hasSelection());
    }

    void dragExchangesDifferentTextsOnly()
    {
        UrlListModel list;
        fill(list, {"a", "b", "c", "A", "a"});
        QVERIFY(exchangeDraggedText(list, 1, 3));
        QCOMPARE(list.texts(), (QStringList{"c", "b", "a", "A", "a"}));
        QVERIFY(!exchangeDraggedText(list, 3, 5)); // the same address
        QVERIFY(!exchangeDraggedText(list, 2, 2));
        QVERIFY(exchangeDraggedText(list, 3, 4)); // case counts
        QCOMPARE(list.texts(), (QStringList{"c", "b", "A", "a", "a"}));
    }

    void dragScrollsByScreenRow_data()
    {
        QTest::addColumn<int>("screenY");
        QTest::addColumn<int>("hitPosition");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("reveal");
        QTest::newRow("high: the row above") << 304 << 5 << 9 << 4;
        QTest::newRow("high on the first row") << 0 << 1 << 9 << 0;
        QTest::newRow("middle band, top") << 305 << 5 << 9 << 0;
        QTest::newRow("middle band, bottom") << 364 << 5 << 9 << 0;
        QTest::newRow("low: the row below") << 365 << 5 << 9 << 6;
        QTest::newRow("low on the last row") << 900 << 9 << 9 << 0;
    }

    void dragScrollsByScreenRow()
    {
        QFETCH(int, screenY);
        QFETCH(int, hitPosition);
        QFETCH(int, rowCount);
        QFETCH(int, reveal);
        QCOMPARE(dragRowToReveal(screenY, hitPosition, rowCount), reveal);
    }
};

QUILLBRAE_TEST_MAIN(UrlListModelTest)
#include "test_url_list_model.moc"
