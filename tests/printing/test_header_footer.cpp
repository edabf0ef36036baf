#include "sheets/HeaderFooter.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

// How a header or footer template is filled in for a sheet: its parts and its fields.
class HeaderFooterTest : public QObject
{
    Q_OBJECT

private slots:
    void templatesSplitIntoPartsAndFillInTheirFields_data()
    {
        QTest::addColumn<QString>("lineTemplate");
        QTest::addColumn<QStringList>("parts"); // left, centre, right
        QTest::newRow("one part stands left") << u"{title}"_s << QStringList{u"Report {page} | 1"_s, {}, {}};
        QTest::newRow("two parts stand left and right")
            << u"{url}|Page {page} of {pages}"_s << QStringList{u"http://intranet/r"_s, {}, u"Page 2 of 7"_s};
        QTest::newRow("three parts, the rest stays right")
            << u"a|{pages}|c|d"_s << QStringList{u"a"_s, u"7"_s, u"c|d"_s};
        QTest::newRow("unknown fields stay") << u"{nothing} {page}"_s << QStringList{u"{nothing} 2"_s, {}, {}};
    }

    void templatesSplitIntoPartsAndFillInTheirFields()
    {
        QFETCH(QString, lineTemplate);
        QFETCH(QStringList, parts);
        // The title looks like a field and holds a separator: neither counts.
        const SheetFields fields{u"Report {page} | 1"_s, u"http://intranet/r"_s, QDateTime::currentDateTime()};
        const SheetLine line = fillInTemplate(lineTemplate, fields, 2, 7);
        QCOMPARE((QStringList{line.left, line.centre, line.right}), parts);
    }
};

QUILLBRAE_TEST_MAIN(HeaderFooterTest)
#include "test_header_footer.moc"
