#include "WindowRun.h"

#include "support/FakePing.h"
#include "support/ProcessTree.h"
#include "support/QuietServices.h"
#include "support/WindowControls.h"

#include "browser/BrowserDrawing.h"
#include "gui/MainWindow.h"
#include "run/RunEvents.h"
#include "runtime/StartupEnvironment.h"
#include "urllist/UrlListModel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <unistd.h>

#include <cstdio>

int runWindow(int argc, char *argv[], const QString &queue, const QString &listFile)
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    chooseBrowserDrawing();
    const FakePing ping{QLatin1String(kPingReply)};
    FakeDialogs dialogs;
    FixedDraw draw(50);
    RecordingOpener opener;
    MainWindow form(quietServices(dialogs, draw, opener));
    form.show();
    QComboBox *printerBox = child<QComboBox>(form, "Combo1");
    printerBox->setCurrentIndex(printerBox->findText(queue));
    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly) || printerBox->currentText() != queue)
        return 1;
    for (const QByteArray &line : list.readAll().split('\n'))
        if (!line.isEmpty())
            form.urlList()->append(QString::fromUtf8(line));
    qint64 phaseNs[4] = {0, 0, 0, 0};
    QObject::connect(form.findChild<RunEvents *>(QStringLiteral("RunEvents")), &RunEvents::pagePhaseTimes, &form,
                     [&phaseNs](qint64 loadNs, qint64 finishNs, qint64 renderNs, qint64 handOverNs) {
                         phaseNs[0] += std::max<qint64>(loadNs, 0);
                         phaseNs[1] += finishNs;
                         phaseNs[2] += renderNs;
                         phaseNs[3] += handOverNs;
                     });
    QCoreApplication::processEvents();

    const ProcessTreeUsage before = processTreeUsage(getpid());
    QElapsedTimer clock;
    clock.start();
    child<QPushButton>(form, "PushButton2")->click();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const ProcessTreeUsage after = processTreeUsage(getpid());
    std::printf("%f %f %f %f %f %f\n%s\n", seconds, after.cpuSeconds - before.cpuSeconds,
                static_cast<double>(phaseNs[0]) / 1e9, static_cast<double>(phaseNs[1]) / 1e9,
                static_cast<double>(phaseNs[2]) / 1e9, static_cast<double>(phaseNs[3]) / 1e9,
                qPrintable(dialogs.messageTexts().join(QLatin1Char('|'))));
    return 0;
}

WindowRunFigures readWindowRun(const QByteArray &output)
{
    WindowRunFigures run;
    const QList<QByteArray> lines = output.trimmed().split('\n');
    const QList<QByteArray> numbers = lines.constFirst().split(' ');
    if (lines.size() < 2 || numbers.size() != 6) {
        run.messages = QString::fromLocal8Bit(output);
        return run;
    }
    run.messages = QString::fromUtf8(lines.at(1));
    run.done = run.messages == QLatin1String("Done.");
    run.seconds = numbers[0].toDouble();
    run.cpuSeconds = numbers[1].toDouble();
    run.loadSeconds = numbers[2].toDouble();
    run.finishSeconds = numbers[3].toDouble();
    run.renderSeconds = numbers[4].toDouble();
    run.handOverSeconds = numbers[5].toDouble();
    return run;
}
