#include "app/ProgramOptions.h"

#include "run/PauseValue.h"
#include "run/StoredSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {
// The exit status of a wrong command line, as for other command-line programs.
constexpr int kUsageError = 2;
// What the help ends with: the kinds of list at work, and a line for the user's crontab.
const QString kExamples = QStringLiteral(
    "\nExamples:\n"
    "  quillbrae --print ~/daily.txt --printer Office\n"
    "  quillbrae --print https://example.org/sitemap.xml --max-pages 500 --pdf-dir ~/Manual\n"
    "  quillbrae --print https://example.org/docs/ --links --same-site --pdf ~/docs.pdf\n"
    "  quillbrae --print ~/bookmarks.html --pdf-dir ~/Reading\n"
    "A site's news feed every morning at seven, from crontab -e:\n"
    "  0 7 * * *  quillbrae --print https://example.org/feed.xml --printer Office --skip-failed 2>>~/news.log\n");
// A day: longer would not fit the timers that bound the wait.
constexpr double kLongestTimeout = 24.0 * 3600;

// A number as the pause box reads it, but always as the C locale writes it ("2.5", "-1"): read in
// the user's locale, "0.5" would be refused wherever the decimal separator is a comma.
std::optional<double> commandLineNumber(const QString &text)
{
    return pauseValue(text, QLocale::c());
}

// The options that shape the page itself, and so a PDF file's too; the rest ask a printer for
// something.
bool shapesThePage(const JobOption &option)
{
    return option.name == QLatin1String("media") || option.name == QLatin1String("landscape") ||
           option.name == QLatin1String("orientation-requested");
}

void write(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}
} // namespace

ProgramOptions parseProgramOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a list of web pages one after another to the printer chosen in its window.\n"
                       "Without options it opens that window, which needs a graphical session; with --print it\n"
                       "prints a list without one, and without a display, or saves the pages as PDF files with\n"
                       "--pdf-dir or --pdf. A site that asks for a login (HTTP authentication) gets the one\n"
                       "~/.netrc gives for its host, as for curl and wget."));
    // Not Qt's own help option: it would also offer --help-all, listing Qt's options, which the
    // command line is read before and does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    const QCommandLineOption print(
        QStringLiteral("print"),
        QStringLiteral("Print the pages LIST names without opening the window. LIST is a file, an http:, "
                       "https: or file: address, or - for standard input, and is read by what it holds: a "
                       "sitemap or sitemap index (.xml, .xml.gz), an RSS or Atom feed, a bookmarks export "
                       "(HTML), a web page's links (with --links), or else a text list, one address a line. "
                       "A sitemap, feed or page that lists more than 100 pages needs --max-pages."),
        QStringLiteral("LIST"));
    const QCommandLineOption printer(QStringLiteral("printer"),
                                     QStringLiteral("With --print: the printer to print to (default: the current "
                                                    "default printer, which is never changed)."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption pdfFolder(
        QStringLiteral("pdf-dir"),
        QStringLiteral(
            "With --print: save each page as a PDF file in the folder DIR instead of printing it, named "
            "by its place in the list and its title (\"001 Title.pdf\"). A file already there is never "
            "replaced: the page gets \" (2)\" and so on. DIR is made, with its parents, if it is not there."),
        QStringLiteral("DIR"));
    const QCommandLineOption pdfFile(
        QStringLiteral("pdf"),
        QStringLiteral("With --print: save all the pages in list order as the one PDF file FILE, with a bookmark "
                       "a page, instead of printing them. FILE is replaced once the run is over, and not at all "
                       "if the run is stopped."),
        QStringLiteral("FILE"));
    const QCommandLineOption pause(QStringLiteral("pause"),
                                   QStringLiteral("With --print: seconds to wait between two pages."),
                                   QStringLiteral("SECONDS"));
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QStringLiteral("With --print: the longest wait for one page to load (default %1).")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(kReadinessTimeLimit).count()),
        QStringLiteral("SECONDS"));
    const QCommandLineOption waitFor(
        QStringLiteral("wait-for"),
        QStringLiteral("With --print: print a page once an element matches the CSS selector SELECTOR, waiting for it "
                       "within --timeout; a page where none does counts as a failed load (\"selector not found\")."),
        QStringLiteral("SELECTOR"));
    const QCommandLineOption delay(
        QStringLiteral("delay"),
        QStringLiteral("With --print: print a page no sooner than this many seconds after it is ready (0 to 3600)."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption noLazyLoad(
        QStringLiteral("no-lazy-load"),
        QStringLiteral("With --print: print a page as it stands once loaded, without first scrolling through "
                       "one that has pictures or sections that load only as they come into view."));
    const QCommandLineOption keepOverlays(
        QStringLiteral("keep-overlays"),
        QStringLiteral("With --print: print each page as it stands. By default the cookie and consent notices and "
                       "the pop-ups over a page are left off (nothing is clicked or accepted), the scrolling they "
                       "lock is undone, a header or bar pinned to the screen prints once and small pinned buttons "
                       "are left off."));
    const QCommandLineOption only(
        QStringLiteral("only"),
        QStringLiteral("With --print: print only the elements that match the CSS selector SELECTOR (article, main, "
                       "#report), alone on the sheets with the page's own styles. A page where none does prints "
                       "whole and counts as a failed load (\"selector not found\")."),
        QStringLiteral("SELECTOR"));
    const QCommandLineOption skipFailed(QStringLiteral("skip-failed"),
                                        QStringLiteral("With --print: don't print a page whose load failed."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("With --print: one JSON object per page on standard output."));
    const QCommandLineOption jobOption(
        QStringLiteral("o"),
        QStringLiteral("With --print: an option for every job, as lp takes it (copies=2, sides=two-sided-long-edge, "
                       "media=A4, landscape, ...); may be given more than once. With --pdf-dir or --pdf only the "
                       "paper (media=) and the orientation (landscape, orientation-requested=) apply, taken "
                       "from the default printer's papers, or A4 without one."),
        QStringLiteral("NAME=VALUE"));
    const QCommandLineOption header(
        QStringLiteral("header"),
        QStringLiteral("With --print: the line at the top of each sheet, from the fields "
                       "{title} {url} {date} {time} {page} {pages}; up to three parts "
                       "split by | (left|centre|right). Default: {title}|Page {page} of {pages}."),
        QStringLiteral("TEMPLATE"));
    const QCommandLineOption footer(QStringLiteral("footer"),
                                    QStringLiteral("With --print: the line at the bottom of each sheet, as --header. "
                                                   "Default: {url}|{date}."),
                                    QStringLiteral("TEMPLATE"));
    const QCommandLineOption noHeaderFooter(QStringLiteral("no-header-footer"),
                                            QStringLiteral("With --print: neither header nor footer."));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("With --print: fit (a page wider than the paper is made smaller to "
                                                  "fit; the default) or a percentage from 10 to 400."),
                                   QStringLiteral("fit|PERCENT"));
    const QCommandLineOption pagesInFlight(
        QStringLiteral("pages-in-flight"),
        QStringLiteral("With --print: how many pages load and get ready at once, the one printing among them "
                       "(1 to %1; 2 by default). More help with a slow site; each costs a browser renderer.")
            .arg(kMostPagesInFlight),
        QStringLiteral("N"));
    const QCommandLineOption oneAtATime(
        QStringLiteral("one-at-a-time"),
        QStringLiteral("With --print: load each page only once the one before is handed over, for a printer or "
                       "site that needs it; the same as --pages-in-flight 1."));
    const QCommandLineOption privateProfile(
        QStringLiteral("private"),
        QStringLiteral("With --print: load the pages in a private browser profile: none of the cookies, logins "
                       "and cache kept from earlier runs and the window, and nothing kept for later ones."));
    const QCommandLineOption links(
        QStringLiteral("links"),
        QStringLiteral("With --print: when LIST is a web page (not a bookmarks export), print the pages it links to, "
                       "in order, each once; mailto:, javascript: and links within the page are left out."));
    const QCommandLineOption sameSite(QStringLiteral("same-site"),
                                      QStringLiteral("With --links: only the links to the page's own host."));
    const QCommandLineOption maxPages(
        QStringLiteral("max-pages"),
        QStringLiteral("With --print: print only the list's first N pages. A sitemap, feed or page that lists more "
                       "than 100 pages prints nothing without it."),
        QStringLiteral("N"));
    const QCommandLineOption backgrounds(QStringLiteral("backgrounds"),
                                         QStringLiteral("With --print: print background colours and pictures."));
    // The options that mean something only for a run from the command line, in the help's order.
    const QList<const QCommandLineOption *> runOptions{
        &links,          &sameSite,   &maxPages,    &printer,       &pdfFolder,  &pdfFile,
        &pause,          &timeout,    &waitFor,     &delay,         &noLazyLoad, &keepOverlays,
        &only,           &skipFailed, &json,        &jobOption,     &header,     &footer,
        &noHeaderFooter, &scale,      &backgrounds, &pagesInFlight, &oneAtATime, &privateProfile};
    parser.addOptions({help, version, print});
    for (const QCommandLineOption *option : runOptions)
        parser.addOption(*option);

    // As other command-line programs do: what is wrong, and where to read more, not the whole help
    // with the one line that matters lost above it.
    auto usageError = [&](const QString &problem) {
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("quillbrae"))).fileName();
        write(stderr, QStringLiteral("%1\nTry '%2 --help' for more information.\n").arg(problem, program));
        return ProgramOptions{kUsageError, std::nullopt};
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help)) {
        write(stdout, parser.helpText() + kExamples);
        return {0, std::nullopt};
    }
    if (parser.isSet(version)) {
        write(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return {0, std::nullopt};
    }
    if (!parser.isSet(print)) {
        for (const QCommandLineOption *option : runOptions)
            if (parser.isSet(*option))
                return usageError(QStringLiteral("Option '%1' goes with --print.").arg(option->names().constFirst()));
        return {std::nullopt, std::nullopt};
    }
    CommandLinePrintOptions run;
    run.listFile = parser.value(print);
    run.printer = parser.value(printer);
    // An empty name would quietly mean the default printer: a script whose variable came out
    // empty must not print elsewhere than it meant.
    if (parser.isSet(printer) && run.printer.isEmpty())
        return usageError(QStringLiteral("The printer's name is empty."));
    if (int(parser.isSet(printer)) + int(parser.isSet(pdfFolder)) + int(parser.isSet(pdfFile)) > 1)
        return usageError(QStringLiteral("--printer, --pdf-dir and --pdf each say where the pages go: give one."));
    run.pdfFolder = parser.value(pdfFolder);
    run.pdfFile = parser.value(pdfFile);
    if ((parser.isSet(pdfFolder) && run.pdfFolder.isEmpty()) || (parser.isSet(pdfFile) && run.pdfFile.isEmpty()))
        return usageError(QStringLiteral("The name after --pdf-dir or --pdf is empty."));
    run.skipFailed = parser.isSet(skipFailed);
    run.json = parser.isSet(json);
    run.privateProfile = parser.isSet(privateProfile);
    run.links = parser.isSet(links);
    run.sameSite = parser.isSet(sameSite);
    if (run.sameSite && !run.links)
        return usageError(QStringLiteral("--same-site goes with --links."));
    if (parser.isSet(maxPages)) {
        bool isNumber = false;
        const int pages = parser.value(maxPages).trimmed().toInt(&isNumber);
        if (!isNumber || pages < 1)
            return usageError(
                QStringLiteral("The number of pages '%1' is not a whole number above 0.").arg(parser.value(maxPages)));
        run.maxPages = pages;
    }
    // Numbers are read the same in every locale, with a decimal point: a line in a script or a
    // crontab must mean the same on every machine. A negative pause is no wait, as in the window.
    if (parser.isSet(pause)) {
        const std::optional<double> seconds = commandLineNumber(parser.value(pause));
        if (!seconds)
            return usageError(
                QStringLiteral("The pause '%1' is not a number of seconds, such as 2.5.").arg(parser.value(pause)));
        run.pauseSeconds = std::max(*seconds, 0.0);
    }
    if (parser.isSet(timeout)) {
        const std::optional<double> seconds = commandLineNumber(parser.value(timeout));
        if (!seconds || !(*seconds > 0) || *seconds > kLongestTimeout)
            return usageError(QStringLiteral("The timeout '%1' is not a number of seconds above 0, such as 2.5.")
                                  .arg(parser.value(timeout)));
        run.timeoutSeconds = *seconds;
    }
    // The window's page setup is where a run starts from; what the command line says wins.
    run.pageSetup = savedPageSetup();
    for (const QString &text : parser.values(jobOption)) {
        const std::variant<JobOption, QString> option = parseJobOption(text);
        if (const auto *problem = std::get_if<QString>(&option))
            return usageError(*problem);
        if (run.savesFiles() && !shapesThePage(std::get<JobOption>(option)))
            return usageError(
                QStringLiteral("-o %1 is for a printer: with --pdf-dir or --pdf only media, landscape and "
                               "orientation-requested apply.")
                    .arg(text));
        run.pageSetup.apply(std::get<JobOption>(option));
        run.paperAsked = run.paperAsked || std::get<JobOption>(option).name == QLatin1String("media");
    }
    if (parser.isSet(noHeaderFooter) && (parser.isSet(header) || parser.isSet(footer)))
        return usageError(QStringLiteral("--no-header-footer goes with neither --header nor --footer."));
    if (parser.isSet(noHeaderFooter))
        run.pageSetup.header = run.pageSetup.footer = QString();
    if (parser.isSet(header))
        run.pageSetup.header = parser.value(header);
    if (parser.isSet(footer))
        run.pageSetup.footer = parser.value(footer);
    if (parser.isSet(scale)) {
        const auto factor = readScale(parser.value(scale));
        if (!factor)
            return usageError(
                QStringLiteral("The scale '%1' is neither fit nor a percentage from 10 to 400, such as 80.")
                    .arg(parser.value(scale)));
        run.pageSetup.scale = *factor;
    }
    run.pageSetup.backgrounds = run.pageSetup.backgrounds || parser.isSet(backgrounds);
    if (parser.isSet(pagesInFlight) && parser.isSet(oneAtATime))
        return usageError(QStringLiteral("--one-at-a-time is --pages-in-flight 1: give one of them."));
    if (parser.isSet(oneAtATime))
        run.pageSetup.pagesInFlight = 1;
    if (parser.isSet(pagesInFlight)) {
        bool isNumber = false;
        const int pages = parser.value(pagesInFlight).trimmed().toInt(&isNumber);
        if (!isNumber || pages < 1 || pages > kMostPagesInFlight)
            return usageError(QStringLiteral("The pages in flight '%1' are not a whole number from 1 to %2.")
                                  .arg(parser.value(pagesInFlight))
                                  .arg(kMostPagesInFlight));
        run.pageSetup.pagesInFlight = pages;
    }
    WaitRules &rules = run.pageSetup.waitRules;
    rules.lazyLoad = rules.lazyLoad && !parser.isSet(noLazyLoad);
    // As for the printer: a script whose variable came out empty must not print without the wait
    // it meant.
    if (parser.isSet(waitFor)) {
        rules.waitFor = parser.value(waitFor).trimmed();
        if (rules.waitFor.isEmpty())
            return usageError(QStringLiteral("The selector after --wait-for is empty."));
    }
    rules.keepOverlays = rules.keepOverlays || parser.isSet(keepOverlays);
    if (parser.isSet(only)) {
        rules.onlyElement = parser.value(only).trimmed();
        if (rules.onlyElement.isEmpty())
            return usageError(QStringLiteral("The selector after --only is empty."));
    }
    if (parser.isSet(delay)) {
        const std::optional<double> seconds = readDelay(parser.value(delay));
        if (!seconds)
            return usageError(QStringLiteral("The delay '%1' is not a number of seconds from 0 to %2, such as 2.5.")
                                  .arg(parser.value(delay))
                                  .arg(kLongestDelaySeconds));
        rules.delaySeconds = *seconds;
    }
    return {std::nullopt, run};
}

ProgramOptions readProgramOptions(int &argc, char **argv)
{
    const QCoreApplication reader(argc, argv);
    return parseProgramOptions(QCoreApplication::arguments());
}
