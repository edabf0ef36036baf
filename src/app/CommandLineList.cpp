#include "app/CommandLineList.h"

#include "app/ProgramOptions.h"
#include "app/StandardStreams.h"
#include "runtime/RuntimeError.h"
#include "urllist/ListDocument.h"
#include "urllist/ListFetch.h"
#include "urllist/ListLimits.h"
#include "urllist/ListReader.h"

#include <QDir>
#include <QFile>

#include <chrono>

namespace {
// Standard input is read whole first: the reader looks at all of the text before it decides what
// it is and how to decode it. Relative addresses in it are taken as from the working folder.
ListPages readStandardInput(const ListReading &reading)
{
    QFile input;
    if (standardInputWasClosed() || !input.open(stdin, QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    const QByteArray text = input.readAll();
    // A read that failed part-way (standard input a folder, say) must not pass for a short list.
    if (input.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    return readListDocument(text, QUrl::fromLocalFile(QDir::currentPath() + QLatin1Char('/')), reading);
}

QString kindName(ListKind kind)
{
    switch (kind) {
    case ListKind::Sitemap:
        return QStringLiteral("sitemap");
    case ListKind::SitemapIndex:
        return QStringLiteral("sitemap index");
    case ListKind::Feed:
        return QStringLiteral("feed");
    case ListKind::WebPage:
        return QStringLiteral("web page");
    case ListKind::Bookmarks:
        return QStringLiteral("bookmarks file");
    case ListKind::Text:
        break;
    }
    return QStringLiteral("list");
}

// The list as the user named it; an address without its password.
QString shownName(const QString &listFile)
{
    return isListAddress(listFile) ? QUrl(listFile).toDisplayString() : listFile;
}
} // namespace

CommandLineList readCommandLineList(const CommandLinePrintOptions &options)
{
    ListReading reading;
    reading.links = options.links;
    reading.sameSite = options.sameSite;
    reading.fetchTimeLimit =
        std::chrono::ceil<std::chrono::milliseconds>(std::chrono::duration<double>(options.timeoutSeconds));
    const QString name = shownName(options.listFile);
    ListPages list;
    try {
        list =
            options.listFile == QLatin1String("-") ? readStandardInput(reading) : readListAt(options.listFile, reading);
    } catch (const RuntimeError &error) {
        return {{}, QStringLiteral("Cannot read the list %1: %2.").arg(name, error.description())};
    }
    if (list.kind == ListKind::WebPage && !options.links)
        return {{},
                QStringLiteral("The list %1 is a web page, not a list of addresses: give --links to print the pages it "
                               "links to.")
                    .arg(name)};
    QStringList addresses;
    for (const QString &row : std::as_const(list.rows))
        if (!isBlankRow(row))
            addresses.append(row);
    if (list.kind != ListKind::Text && addresses.size() > kPagesWithoutAsking && !options.maxPages)
        return {{},
                QStringLiteral("The %1 %2 lists %3 pages, more than %4: give --max-pages %3 to print them all, or a "
                               "smaller number to print the first ones.")
                    .arg(kindName(list.kind), name)
                    .arg(addresses.size())
                    .arg(kPagesWithoutAsking)};
    if (options.maxPages && addresses.size() > *options.maxPages)
        addresses.resize(*options.maxPages);
    return {addresses, QString()};
}
