#include "gui/UrlListSelection.h"
#include "runtime/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "urllist/UrlListModel.h"

using namespace Qt::StringLiterals;

// The list view's selection on its own, with no view: it keeps a row selected whatever the list
// and the clicks do.
class UrlListSelectionTest : public QObject
{
    Q_OBJECT

    static void fill(UrlListModel &list, const QStringList &texts)
    {
        for (const QString &text : texts)
            list.append(text);
    }

private slots:
    void aRowIsSelectedWheneverTheListHasRows()
    {
        UrlListModel list;
        list.addColumn(QStringLiteral("URL(s)"));
        UrlListSelection selection(&list);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, selection.selectedPosition());
        fill(list, {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
        QCOMPARE(selection.selectedPosition(), 1); // the first row added to an empty list

        selection.selectPosition(3);
        list.remove(3);
        QCOMPARE(selection.selectedPosition(), 3); // the row that moved up into its place
        list.remove(3);
        QCOMPARE(selection.selectedPosition(), 2); // the new last row
        list.insert(1, QStringLiteral("z"));
        QCOMPARE(selection.selectedPosition(), 3); // moved along by an insertion above

        selection.select(list.rowIndex(3), QItemSelectionModel::Deselect);
        selection.select(list.rowIndex(3), QItemSelectionModel::Toggle);
        selection.clearSelection();
        QCOMPARE(selection.selectedPosition(), 3);

        list.clear();
        QVERIFY(!selection.hasSelection());
        {
            const UrlListAppendBatch batch(list);
            fill(list, {u"x"_s, u"y"_s});
        }
        QCOMPARE(selection.selectedPosition(), 1);
    }
};

QUILLBRAE_TEST_MAIN(UrlListSelectionTest)
#include "test_url_list_selection.moc"
