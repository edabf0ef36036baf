#include "EngineAlone.h"

#include "browser/PageBrowser.h"
#include "runtime/RuntimeError.h"
#include "runtime/StartupEnvironment.h"
#include "urllist/ListReader.h"

#include <QApplication>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
// Read as the program reads a list file; one that can't be read gives no addresses.
QStringList readList(const QString &listFile)
{
    QStringList addresses;
    try {
        QFile list(listFile);
        openListFile(list);
        readListRows(list, [&addresses](const QString &row) {
            if (!isBlankRow(row))
                addresses << row.trimmed();
            return true;
        });
    } catch (const RuntimeError &) {
        return {};
    }
    return addresses;
}

bool handOver(const QString &queue, const QString &title, const QString &pdfFile)
{
    QProcess lp;
    lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), queue, QStringLiteral("-t"), title, pdfFile});
    return lp.waitForFinished() && lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0;
}
} // namespace

int runEngineAlone(int argc, char *argv[], const QString &queue, const QString &listFile)
{
    // Started as `quillbrae --print` starts (no display, the same sandbox and engine settings), so
    // that only the program's own steps differ.
    prepareCommandLineEnvironment();
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    const QStringList addresses = readList(listFile);
    const QTemporaryDir scratch;
    if (addresses.isEmpty() || !scratch.isValid())
        return 1;
    // Shown out of sight at the program's view size: a view never shown loads its pages as hidden.
    QWebEngineView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(PageBrowser::kViewSize);
    view.show();
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    const QString pdfFile = scratch.filePath(QStringLiteral("page.pdf"));
    qsizetype next = 0;
    int failures = 0;
    // A page that moves on by itself reports a second finished load while its print is under way.
    bool printing = false;
    auto loadNext = [&] {
        if (next == addresses.size())
            QCoreApplication::exit(failures == 0 ? 0 : 1);
        else
            view.load(QUrl(addresses.at(next)));
    };
    QObject::connect(view.page(), &QWebEnginePage::loadFinished, &view, [&](bool) {
        if (printing)
            return;
        printing = true;
        view.page()->printToPdf(
            [&](const QByteArray &pdf) {
                printing = false;
                QFile file(pdfFile);
                const bool written = file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size();
                file.close();
                if (!written || pdf.isEmpty() || !handOver(queue, addresses.at(next), pdfFile))
                    ++failures;
                ++next;
                loadNext();
            },
            layout);
    });
    loadNext();
    return QApplication::exec();
}
