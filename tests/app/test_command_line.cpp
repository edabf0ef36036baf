#include "support/TestEnvironment.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace {
struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the real program with no display at all, on X by default: if it tried to open its window,
// Qt would abort for want of one instead of exiting with the status it chose. It runs under a
// locale that writes a decimal comma, which Qt takes from the environment: no locale need be
// installed for it.
Outcome runProgram(const QStringList &arguments, const QString &platform = u"xcb"_s)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUILLBRAE_EXECUTABLE), arguments);
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return {};
    }
    if (program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
            QString::fromLocal8Bit(program.readAllStandardError())};
}
} // namespace

// The command line of the real executable, which answers it before it needs a display.
class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void versionAndHelpNeedNoDisplay()
    {
        const Outcome version = runProgram({QStringLiteral("--version")});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QStringLiteral("Quillbrae " QUILLBRAE_VERSION "\n"));
        QCOMPARE(runProgram({QStringLiteral("-v")}).out, version.out);

        const Outcome help = runProgram({QStringLiteral("--help")});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(QLatin1String("Usage: ")));
        for (const char *option : {"-h, --help", "-v, --version"})
            QVERIFY2(help.out.contains(QLatin1String(option)), option);
        QVERIFY(help.err.isEmpty());
    }

    void badUsageGivesStatusTwoAndOpensNoWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown long option") << QStringList{u"--bogus"_s} << u"Unknown option 'bogus'."_s;
        QTest::newRow("unknown short option") << QStringList{u"-x"_s} << u"Unknown option 'x'."_s;
        QTest::newRow("a known option with an unknown one")
            << QStringList{u"--version"_s, u"--bogus"_s} << u"Unknown option 'bogus'."_s;
        QTest::newRow("an argument") << QStringList{u"list.txt"_s} << u"Unexpected argument 'list.txt'."_s;
        // Numbers are read alike in every locale: the locale's decimal comma is no decimal separator.
        // The parser's own test has the other numbers it refuses.
        QTest::newRow("a pause with a decimal comma")
            << QStringList{u"--print"_s, u"list.txt"_s, u"--pause"_s, u"0,5"_s}
            << u"The pause '0,5' is not a number of seconds, such as 2.5."_s;
    }

    void badUsageGivesStatusTwoAndOpensNoWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const Outcome outcome = runProgram(arguments);
        QCOMPARE(outcome.exitCode, 2);
        QVERIFY(outcome.out.isEmpty());
        QCOMPARE(outcome.err, problem + u"\nTry 'quillbrae --help' for more information.\n"_s);
    }

    // Started from a terminal with no display (ssh, a console), the window says what it needs and
    // how to print without it, instead of Qt's abort.
    void withoutADisplayTheWindowSaysHowToPrintWithoutOne()
    {
        const Outcome outcome = runProgram({}, QString());
        QCOMPARE(outcome.exitCode, 2);
        QCOMPARE(outcome.err,
                 u"quillbrae: the window needs a graphical session, and no display can be opened "
                 u"here.\nTo print a list without one: quillbrae --print LIST (see quillbrae --help).\n"_s);
    }
};

QUILLBRAE_TEST_MAIN(CommandLineTest)
#include "test_command_line.moc"
