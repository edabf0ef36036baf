// The program as a user starts it (the real window, printers, browser and signal handling), with
// only the message boxes answered and the ping stood in for, that starts a print run at once:
// for tests that end the program from outside, as a logout or a crash would.
//
//   print_run_driver LIST_FILE PRINTER PAUSE
//
// Says "printed JOB PRINTER" on standard output as each page is handed over, and "ended MESSAGES"
// (the messages shown, joined by "|") when the run is over; then closes the window.

#include "gui/ListFileAdding.h"
#include "gui/MainWindow.h"
#include "gui/WindowProgram.h"
#include "run/RunEvents.h"
#include "runtime/StartupEnvironment.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {
void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char *argv[])
{
    prepareStartupEnvironment();
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    const FakePing ping{QLatin1String(kPingReply)};
    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    MainWindow form(quietServices(dialogs, draw, opener));
    QObject::connect(
        form.findChild<RunEvents *>(QStringLiteral("RunEvents")), &RunEvents::pagePrinted, &form,
        [](int job, const QString &printer) { say(QStringLiteral("printed %1 %2").arg(job).arg(printer)); });
    // Starts once the window is up: start-up handles events in its own waits, where a timer of
    // this could otherwise fire before the printers are listed.
    QTimer start;
    QObject::connect(&start, &QTimer::timeout, &form, [&] {
        if (!form.isVisible())
            return;
        start.stop();
        addListFile(*form.urlList(), arguments.at(1), dialogs);
        QComboBox *printerBox = child<QComboBox>(form, "Combo1");
        printerBox->setCurrentIndex(printerBox->findText(arguments.at(2)));
        child<QLineEdit>(form, "Text2")->setText(arguments.at(3));
        child<QPushButton>(form, "PushButton2")->click();
        say(QStringLiteral("ended ") + dialogs.messageTexts().join(QLatin1Char('|')));
        form.close();
    });
    start.start(50);
    const int status = runWindowProgram(form);
    // While the graphics driver is still loaded, so that what it holds is named, not reported.
    checkForLeaks();
    return status;
}
