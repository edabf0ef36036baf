#include "app/ProgramOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
// The exit status of a wrong command line, as for other command-line programs.
constexpr int kUsageError = 2;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}
} // namespace

ProgramOptions parseProgramOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a list of web pages one after another to the printer chosen in its window.\n"
                       "Without options it opens that window."));
    // Not Qt's own help option: it would also offer --help-all, listing Qt's options, which the
    // command line is read before and does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's version and exit."));
    parser.addOptions({help, version});

    if (!parser.parse(arguments)) {
        print(stderr, QStringLiteral("%1\n\n%2").arg(parser.errorText(), parser.helpText()));
        return {kUsageError};
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("Unexpected argument '%1'.\n\n%2")
                          .arg(parser.positionalArguments().constFirst(), parser.helpText()));
        return {kUsageError};
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return {0};
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return {0};
    }
    return {};
}

ProgramOptions readProgramOptions(int &argc, char **argv)
{
    const QCoreApplication reader(argc, argv);
    return parseProgramOptions(QCoreApplication::arguments());
}
