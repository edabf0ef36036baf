#include "runtime/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "urllist/DragExchange.h"
#include "urllist/UrlListModel.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

// The list without a window: append batches, the bounded display text, and the exchange and
// scrolling rule of drag reordering.
class UrlListModelTest : public QObject
{
    Q_OBJECT

    static void fill(UrlListModel &list, const QStringList &texts)
    {
        for (const QString &text : texts)
            list.append(text);
    }

private slots:
    void batchedRowsReachViewsTogetherAndInOrder()
    {
        UrlListModel list;
        list.append(QStringLiteral("before"));
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        {
            const UrlListAppendBatch batch(list);
            fill(list, {u"a"_s, u"b"_s, u"c"_s});
            QCOMPARE(list.count(), 4);
            QCOMPARE(list.rowCount(), 1);
            list.showPendingRows();
            fill(list, {u"d"_s, u"e"_s});
            list.remove(1); // any other change shows the pending rows first
            QCOMPARE(list.rowCount(), 5);
            list.append(QStringLiteral("f"));
        }
        QCOMPARE(list.texts(), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s}));
        QCOMPARE(list.rowCount(), 6);
        QCOMPARE(inserted.size(), 3);
        QCOMPARE(inserted[0].mid(1), (QVariantList{1, 3}));
    }

    void viewsShowABoundedPrefixOfHugeTexts()
    {
        UrlListModel list;
        list.addColumn(QStringLiteral("URL(s)"));
        const QString huge(qsizetype{5} * 1024 * 1024, QLatin1Char('w'));
        list.append(huge);
        QCOMPARE(list.text(1), huge);
        QCOMPARE(list.data(list.index(0, 0), Qt::DisplayRole).toString().size(), UrlListModel::kDisplayLength);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, list.text(2));
    }

    void dragExchangesDifferentTextsOnly()
    {
        UrlListModel list;
        fill(list, {u"a"_s, u"b"_s, u"c"_s, u"A"_s, u"a"_s});
        QVERIFY(exchangeDraggedText(list, 1, 3));
        QVERIFY(!exchangeDraggedText(list, 3, 5)); // the same address
        QVERIFY(exchangeDraggedText(list, 3, 4));  // case counts
        QCOMPARE(list.texts(), (QStringList{u"c"_s, u"b"_s, u"A"_s, u"a"_s, u"a"_s}));
    }

    void dragScrollsByThePointersScreenRow()
    {
        // screen y, hit row, rows, the row to reveal (0: none)
        const int cases[][4] = {{304, 5, 9, 4}, {0, 1, 9, 0},   {305, 5, 9, 0},
                                {364, 5, 9, 0}, {365, 5, 9, 6}, {900, 9, 9, 0}};
        for (const auto &c : cases)
            QCOMPARE(dragRowToReveal(c[0], c[1], c[2]), c[3]);
    }
};

QUILLBRAE_TEST_MAIN(UrlListModelTest)
#include "test_url_list_model.moc"
