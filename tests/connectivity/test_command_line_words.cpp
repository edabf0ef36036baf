#include "connectivity/CommandLineWords.h"
#include "support/TestEnvironment.h"

namespace {
// Kept outside the test class: moc cannot read raw string literals.
void addSplitRows()
{
    auto row = [](const char *name, const char *line, const QStringList &words) {
        QTest::newRow(name) << QString::fromUtf8(line) << words;
    };
    row("blanks of any kind and number", "  ping\t-c 1 \n x  ", {"ping", "-c", "1", "x"});
    row("single quotes keep everything", R"('a "b" \c $d')", {R"(a "b" \c $d)"});
    row("double quotes escape only some", R"("\"\\\$\`\n")", {R"("\$`\n)"});
    row("unquoted backslash escapes", R"(a\ b \'c\\)", {"a b", R"('c\)"});
    row("adjacent parts make one word", R"(x'y'"z"w)", {"xyzw"});
    row("quoted empty words count", R"(a '' "")", {"a", "", ""});
    row("line continuation", "a\\\nb c \\\n d", {"ab", "c", "d"});
    row("trailing backslash stands for itself", "a b\\", {"a", "b\\"});
    row("operators are plain characters", "a;b|c&&d>e<f(g)#h", {"a;b|c&&d>e<f(g)#h"});
    row("nothing", "", {});
}
} // namespace

class CommandLineWordsTest : public QObject
{
    Q_OBJECT

private slots:
    void splitsAsAShellSplitsWords_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("words");
        addSplitRows();
    }

    void splitsAsAShellSplitsWords()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, words);
        const auto split = splitCommandLineWords(line);
        QVERIFY(split.has_value());
        QCOMPARE(*split, words);
    }

    void openQuoteGivesNoWords()
    {
        QVERIFY(!splitCommandLineWords(QStringLiteral("echo 'open")).has_value());
        QVERIFY(!splitCommandLineWords(QStringLiteral("echo \"open\\\"")).has_value());
    }
};

QUILLBRAE_TEST_MAIN(CommandLineWordsTest)
#include "test_command_line_words.moc"
