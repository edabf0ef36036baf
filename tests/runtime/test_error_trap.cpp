#include "runtime/ErrorTrap.h"
#include "support/FakeDialogs.h"
#include "support/TestEnvironment.h"

class ErrorTrapTest : public QObject
{
    Q_OBJECT

private slots:
    void reportTextIsExact()
    {
        QCOMPARE(
            errorReportText(QStringLiteral("File not found"), errorLocation(QStringLiteral("Form1.Form_Load")), 106),
            QStringLiteral("File not found\r\nin Quillbrae2021/08/31.Form1.Form_Load at line 106\r\r"
                           "Please email screenshot of this message to ") +
                QLatin1String(kSupportAddress));
    }

    void eachFailingStatementOfALineReportsAndTheNextRuns()
    {
        FakeDialogs dialogs;
        ErrorTrap trap(dialogs, QStringLiteral("Form1.Form_Load"));
        QStringList ran;
        trap.line(
            128, [&] { throw RuntimeError(5, QStringLiteral("first")); }, [&] { ran << QStringLiteral("second"); },
            [&] { throw RuntimeError(6, QStringLiteral("third")); });
        trap.line(130, [&] { ran << QStringLiteral("next line"); });
        QCOMPARE(ran, (QStringList{QStringLiteral("second"), QStringLiteral("next line")}));
        const auto reports = dialogs.errorReports();
        QCOMPARE(reports.size(), 2);
        QVERIFY(reports[0].text.startsWith(
            QStringLiteral("first\r\nin Quillbrae2021/08/31.Form1.Form_Load at line 128\r\r")));
        QVERIFY(reports[1].text.startsWith(QStringLiteral("third\r\n")));
        QCOMPARE(reports[0].icon, Dialogs::Icon::Warning);
        QCOMPARE(trap.currentLine(), 130);
    }

    void failingTestRunsTheGuardedBranch()
    {
        FakeDialogs dialogs;
        ErrorTrap trap(dialogs, QStringLiteral("Form1.Form_Load"));
        bool guardedRan = false;
        if (trap.test(106, []() -> bool { throw RuntimeError(53, QStringLiteral("File not found")); }))
            trap.line(108, [&] { guardedRan = true; });
        QVERIFY(guardedRan);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(!trap.test(110, [] { return false; }));
    }

    void calleeErrorIsReportedAtTheCallersLine()
    {
        FakeDialogs dialogs;
        ErrorTrap trap(dialogs, QStringLiteral("Form1.PushButton6_Click"));
        auto untrappedCallee = [] {
            auto deeper = [] { throw RuntimeError(75, QStringLiteral("Path/File access error")); };
            deeper();
        };
        trap.line(118, untrappedCallee);
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.contains(
            QStringLiteral("in Quillbrae2021/08/31.Form1.PushButton6_Click at line 118\r\r")));
    }

    void foreignExceptionsAreReportedToo()
    {
        FakeDialogs dialogs;
        ErrorTrap trap(dialogs, QStringLiteral("APrint.DoItByFile"));
        trap.line(100, [] { throw std::runtime_error("boom"); });
        QCOMPARE(dialogs.errorReports().size(), 1);
        QVERIFY(dialogs.errorReports()[0].text.startsWith(QStringLiteral("boom\r\n")));
    }
};

QUILLBRAE_TEST_MAIN(ErrorTrapTest)
#include "test_error_trap.moc"
