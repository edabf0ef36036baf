#include "app/ProgramOptions.h"
#include "run/StoredSettings.h"
#include "support/TestEnvironment.h"

#include <QLocale>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
struct Parsed
{
    ProgramOptions options;
    QString out;
    QString err;
};

QString readBack(QTemporaryFile &file)
{
    file.seek(0);
    return QString::fromLocal8Bit(file.readAll());
}

// Reads the command line with standard output and standard error caught in files, which the
// reader writes to directly.
Parsed parse(const QStringList &arguments)
{
    QTemporaryFile out;
    QTemporaryFile err;
    if (!out.open() || !err.open())
        qFatal("cannot make the files that catch the output");
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = ::dup(STDOUT_FILENO);
    const int savedErr = ::dup(STDERR_FILENO);
    ::dup2(out.handle(), STDOUT_FILENO);
    ::dup2(err.handle(), STDERR_FILENO);
    Parsed parsed{parseProgramOptions(QStringList{u"quillbrae"_s} + arguments), {}, {}};
    std::fflush(stdout);
    std::fflush(stderr);
    ::dup2(savedOut, STDOUT_FILENO);
    ::dup2(savedErr, STDERR_FILENO);
    ::close(savedOut);
    ::close(savedErr);
    parsed.out = readBack(out);
    parsed.err = readBack(err);
    return parsed;
}
} // namespace

// How the command line is read into what the program then does: open its window, print a list
// without one, or end at once with a status.
class ProgramOptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(u"Quillbrae"_s);
        QCoreApplication::setApplicationVersion(u"9.8.7"_s);
        // Where the decimal separator is a comma, the command line still writes numbers with a point.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void noOptionsOpenTheWindow()
    {
        const Parsed parsed = parse({});
        QVERIFY(!parsed.options.exitStatus);
        QVERIFY(!parsed.options.print);
        QVERIFY(parsed.out.isEmpty() && parsed.err.isEmpty());
    }

    void printRun_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("listFile");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<double>("pause");
        QTest::addColumn<double>("timeout");
        QTest::addColumn<bool>("skipFailed");
        QTest::addColumn<bool>("json");
        QTest::newRow("list alone") << QStringList{u"--print"_s, u"list.txt"_s} << u"list.txt"_s << QString() << 0.0
                                    << 60.0 << false << false;
        QTest::newRow("standard input") << QStringList{u"--print"_s, u"-"_s} << u"-"_s << QString() << 0.0 << 60.0
                                        << false << false;
        QTest::newRow("printer") << QStringList{u"--print=l"_s, u"--printer"_s, u"Office"_s} << u"l"_s << u"Office"_s
                                 << 0.0 << 60.0 << false << false;
        QTest::newRow("pause") << QStringList{u"--print=l"_s, u"--pause"_s, u"2.5"_s} << u"l"_s << QString() << 2.5
                               << 60.0 << false << false;
        QTest::newRow("negative pause waits not at all")
            << QStringList{u"--print=l"_s, u"--pause=-3"_s} << u"l"_s << QString() << 0.0 << 60.0 << false << false;
        QTest::newRow("timeout") << QStringList{u"--print=l"_s, u"--timeout"_s, u"0.5"_s} << u"l"_s << QString() << 0.0
                                 << 0.5 << false << false;
        QTest::newRow("longest timeout, a day") << QStringList{u"--print=l"_s, u"--timeout=86400"_s} << u"l"_s
                                                << QString() << 0.0 << 86400.0 << false << false;
        QTest::newRow("skip failed") << QStringList{u"--print=l"_s, u"--skip-failed"_s} << u"l"_s << QString() << 0.0
                                     << 60.0 << true << false;
        QTest::newRow("json") << QStringList{u"--print=l"_s, u"--json"_s} << u"l"_s << QString() << 0.0 << 60.0 << false
                              << true;
        QTest::newRow("all at once, in any order")
            << QStringList{u"--json"_s,    u"--timeout=5"_s,   u"--printer=Lab"_s,
                           u"--pause=1"_s, u"--skip-failed"_s, u"--print=x y.txt"_s}
            << u"x y.txt"_s << u"Lab"_s << 1.0 << 5.0 << true << true;
    }

    void printRun()
    {
        QFETCH(QStringList, arguments);
        const Parsed parsed = parse(arguments);
        QVERIFY2(parsed.out.isEmpty() && parsed.err.isEmpty(), qPrintable(parsed.out + parsed.err));
        QVERIFY(!parsed.options.exitStatus);
        QVERIFY(parsed.options.print);
        const CommandLinePrintOptions &run = *parsed.options.print;
        QTEST(run.listFile, "listFile");
        QTEST(run.printer, "printer");
        QTEST(run.pauseSeconds, "pause");
        QTEST(run.timeoutSeconds, "timeout");
        QTEST(run.skipFailed, "skipFailed");
        QTEST(run.json, "json");
    }

    // What a page waits for, and what of it prints, starts from the window's saved setup; the
    // command line's flags win. With nothing saved, notices are left off and the whole page prints.
    void waitRulesStartFromTheSavedSetupAndFlagsWin()
    {
        const WaitRules byDefault = parse({u"--print=l"_s}).options.print->pageSetup.waitRules;
        PageSetup saved;
        saved.waitRules = {true, u"#saved"_s, 3, true, u"#saved-only"_s};
        savePageSetup(saved);
        const WaitRules asSaved = parse({u"--print=l"_s}).options.print->pageSetup.waitRules;
        const WaitRules flags = parse({u"--print=l"_s, u"--no-lazy-load"_s, u"--wait-for"_s, u" #main > p "_s,
                                       u"--delay"_s, u"0.5"_s, u"--only"_s, u" main > article "_s})
                                    .options.print->pageSetup.waitRules;
        savePageSetup(PageSetup());
        const WaitRules keep = parse({u"--print=l"_s, u"--keep-overlays"_s}).options.print->pageSetup.waitRules;
        QVERIFY(!byDefault.keepOverlays);
        QVERIFY(byDefault.onlyElement.isEmpty());
        QVERIFY(asSaved == saved.waitRules);
        QVERIFY(!flags.lazyLoad);
        QCOMPARE(flags.waitFor, u"#main > p"_s);
        QCOMPARE(flags.delaySeconds, 0.5);
        QCOMPARE(flags.onlyElement, u"main > article"_s);
        QVERIFY(flags.keepOverlays);
        QVERIFY(keep.keepOverlays);
    }

    void listOptions()
    {
        const CommandLinePrintOptions plain = *parse({u"--print=l"_s}).options.print;
        QVERIFY(!plain.links && !plain.sameSite && !plain.maxPages);
        const CommandLinePrintOptions all =
            *parse({u"--print=https://a.example/"_s, u"--links"_s, u"--same-site"_s, u"--max-pages"_s, u" 250"_s})
                 .options.print;
        QVERIFY(all.links && all.sameSite);
        QCOMPARE(all.maxPages, std::optional<int>(250));
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("start");
        QTest::newRow("--help") << QStringList{u"--help"_s} << u"Usage: "_s;
        QTest::newRow("-h") << QStringList{u"-h"_s} << u"Usage: "_s;
        QTest::newRow("--version") << QStringList{u"--version"_s} << u"Quillbrae 9.8.7\n"_s;
        QTest::newRow("-v") << QStringList{u"-v"_s} << u"Quillbrae 9.8.7\n"_s;
        QTest::newRow("help before a print run") << QStringList{u"--print=l"_s, u"--help"_s} << u"Usage: "_s;
    }

    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, start);
        const Parsed parsed = parse(arguments);
        QCOMPARE(parsed.options.exitStatus, std::optional<int>(0));
        QVERIFY(!parsed.options.print);
        QVERIFY2(parsed.out.startsWith(start), qPrintable(parsed.out));
        QVERIFY(parsed.err.isEmpty());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown option") << QStringList{u"--bogus"_s} << u"Unknown option 'bogus'."_s;
        QTest::newRow("list missing") << QStringList{u"--print"_s} << u"Missing value after '--print'."_s;
        QTest::newRow("an argument") << QStringList{u"--print=l"_s, u"extra"_s} << u"Unexpected argument 'extra'."_s;
        QTest::newRow("empty printer name")
            << QStringList{u"--print=l"_s, u"--printer"_s, QString()} << u"The printer's name is empty."_s;
        QTest::newRow("empty printer name after =")
            << QStringList{u"--print=l"_s, u"--printer="_s} << u"The printer's name is empty."_s;

        for (const QString &pause : {u"abc"_s, QString(), u"1s"_s, u"1e999"_s, u"0,5"_s})
            QTest::addRow("pause '%s'", qPrintable(pause))
                << QStringList{u"--print=l"_s, u"--pause"_s, pause}
                << u"The pause '%1' is not a number of seconds, such as 2.5."_s.arg(pause);
        // Above a day would not fit the timers that bound a page's wait.
        for (const QString &timeout :
             {u"abc"_s, u"-1"_s, u"0"_s, u"86401"_s, u"inf"_s, u"nan"_s, u"1e999"_s, u"1,000"_s, u"0x10"_s, QString()})
            QTest::addRow("timeout '%s'", qPrintable(timeout))
                << QStringList{u"--print=l"_s, u"--timeout"_s, timeout}
                << u"The timeout '%1' is not a number of seconds above 0, such as 2.5."_s.arg(timeout);

        for (const QString &delay : {u"abc"_s, u"-1"_s, u"3600.5"_s, u"1e999"_s, u"0,5"_s, QString()})
            QTest::addRow("delay '%s'", qPrintable(delay))
                << QStringList{u"--print=l"_s, u"--delay"_s, delay}
                << u"The delay '%1' is not a number of seconds from 0 to 3600, such as 2.5."_s.arg(delay);
        for (const QString &selector : {QString(), u"  "_s})
            QTest::addRow("selector '%s'", qPrintable(selector))
                << QStringList{u"--print=l"_s, u"--wait-for"_s, selector}
                << u"The selector after --wait-for is empty."_s;
        for (const QString &selector : {QString(), u"  "_s})
            QTest::addRow("--only '%s'", qPrintable(selector))
                << QStringList{u"--print=l"_s, u"--only"_s, selector} << u"The selector after --only is empty."_s;

        for (const QString &pages : {u"0"_s, u"9"_s, u"two"_s, u"1.5"_s})
            QTest::addRow("pages in flight '%s'", qPrintable(pages))
                << QStringList{u"--print=l"_s, u"--pages-in-flight"_s, pages}
                << u"The pages in flight '%1' are not a whole number from 1 to 8."_s.arg(pages);
        QTest::newRow("--one-at-a-time and --pages-in-flight")
            << QStringList{u"--print=l"_s, u"--one-at-a-time"_s, u"--pages-in-flight=2"_s}
            << u"--one-at-a-time is --pages-in-flight 1: give one of them."_s;
        QTest::newRow("--same-site without --links")
            << QStringList{u"--print=l"_s, u"--same-site"_s} << u"--same-site goes with --links."_s;
        for (const QString &pages : {u"0"_s, u"-5"_s, u"2.5"_s, u"ten"_s, QString()})
            QTest::addRow("max pages '%s'", qPrintable(pages))
                << QStringList{u"--print=l"_s, u"--max-pages"_s, pages}
                << u"The number of pages '%1' is not a whole number above 0."_s.arg(pages);

        // Where the pages go is said once, and a file takes only what shapes its pages.
        QTest::newRow("--pdf-dir and --printer")
            << QStringList{u"--print=l"_s, u"--pdf-dir=d"_s, u"--printer=Lab"_s}
            << u"--printer, --pdf-dir and --pdf each say where the pages go: give one."_s;
        QTest::newRow("--pdf and --pdf-dir")
            << QStringList{u"--print=l"_s, u"--pdf=a.pdf"_s, u"--pdf-dir=d"_s}
            << u"--printer, --pdf-dir and --pdf each say where the pages go: give one."_s;
        QTest::newRow("empty --pdf") << QStringList{u"--print=l"_s, u"--pdf="_s}
                                     << u"The name after --pdf-dir or --pdf is empty."_s;
        QTest::newRow("copies for a file")
            << QStringList{u"--print=l"_s, u"--pdf-dir=d"_s, u"-o"_s, u"media=A4"_s, u"-o"_s, u"copies=2"_s}
            << u"-o copies=2 is for a printer: with --pdf-dir or --pdf only media, landscape and "
               u"orientation-requested apply."_s;

        for (const QString &option : {u"printer"_s, u"pdf-dir"_s, u"pdf"_s, u"pause"_s, u"timeout"_s, u"wait-for"_s,
                                      u"delay"_s, u"max-pages"_s, u"only"_s})
            QTest::addRow("--%s without --print", qPrintable(option))
                << QStringList{u"--"_s + option, u"1"_s} << u"Option '%1' goes with --print."_s.arg(option);
        for (const QString &option : {u"skip-failed"_s, u"json"_s, u"no-lazy-load"_s, u"links"_s, u"keep-overlays"_s})
            QTest::addRow("--%s without --print", qPrintable(option))
                << QStringList{u"--"_s + option} << u"Option '%1' goes with --print."_s.arg(option);
    }

    // A wrong command line says what is wrong and where to read more, in two lines on standard
    // error, and starts nothing.
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const Parsed parsed = parse(arguments);
        QCOMPARE(parsed.options.exitStatus, std::optional<int>(2));
        QVERIFY(!parsed.options.print);
        QVERIFY(parsed.out.isEmpty());
        QCOMPARE(parsed.err, problem + u"\nTry 'quillbrae --help' for more information.\n"_s);
    }
};

QUILLBRAE_TEST_MAIN(ProgramOptionsTest)
#include "test_program_options.moc"
