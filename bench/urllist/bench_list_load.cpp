// Loads a long list file through addListFile into the real main window's list and prints the time
// it took, the peak memory above the idle program, and how often the list repainted meanwhile.
//
// Usage: bench_list_load [crlf|lf] [lines] [characters per line]   (defaults: crlf 100000 ~45)
#include "gui/ListFileAdding.h"
#include "gui/MainWindow.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {
// A field of /proc/self/status, in kB.
long statusKilobytes(QByteArrayView field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

QString writeListFile(const QString &folder, bool crlf, int lines, int lineLength)
{
    QString path = folder + QStringLiteral("/list.txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the list file");
    const QByteArray lineBreak = crlf ? "\r\n" : "\n";
    for (int i = 1; i <= lines; ++i) {
        QByteArray line = "https://www.example.com/articles/" + QByteArray::number(i) + "/index.html";
        if (lineLength > line.size())
            line += "?q=" + QByteArray(lineLength - line.size() - 3, 'x');
        file.write(line + lineBreak);
    }
    return path;
}
} // namespace

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool crlf = arguments.value(1, QStringLiteral("crlf")) != QLatin1String("lf");
    const int lines = arguments.value(2, QStringLiteral("100000")).toInt();
    const int lineLength = arguments.value(3, QStringLiteral("0")).toInt();

    FakeDialogs dialogs;
    NoPrinters printers;
    FixedDraw draw(50);
    RecordingOpener opener;
    MainWindow form(quietServices(dialogs, draw, opener, &printers));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("the window was not shown");
    QTest::qWait(500);

    QTemporaryDir folder;
    const QString path = writeListFile(folder.path(), crlf, lines, lineLength);
    PaintCounter counter;
    QWidget *listViewport = child<QTreeView>(form, "ListView1")->viewport();
    listViewport->installEventFilter(&counter);
    // Start the peak count afresh, so that start-up's own peak does not count.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
    clearRefs.close();
    const long idleKilobytes = statusKilobytes("VmRSS:");

    QElapsedTimer timer;
    timer.start();
    addListFile(*form.urlList(), path, dialogs);
    const qint64 elapsed = timer.elapsed();
    QCoreApplication::processEvents();

    const long peakKilobytes = statusKilobytes("VmHWM:");
    std::printf("list file: %d lines, %s line breaks\n", lines, crlf ? "CR LF" : "LF");
    std::printf("rows in the list: %d\n", form.urlList()->count());
    std::printf("load time: %lld ms\n", static_cast<long long>(elapsed));
    std::printf("memory: idle %ld kB, peak %ld kB, peak above idle %.1f MB\n", idleKilobytes, peakKilobytes,
                static_cast<double>(peakKilobytes - idleKilobytes) / 1024.0);
    std::printf("list repaints during the load: %d\n", counter.paints);

    constexpr int kRepaints = 20;
    const int paintsBefore = counter.paints;
    timer.restart();
    QImage canvas(listViewport->size(), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < kRepaints; ++i)
        listViewport->render(&canvas);
    const double repaintMs = static_cast<double>(timer.nsecsElapsed()) / 1e6 / (counter.paints - paintsBefore);
    std::printf("one repaint of the full list: %.2f ms\n", repaintMs);
    return 0;
}
