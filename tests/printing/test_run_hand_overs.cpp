#include "printing/FakeBrowser.h"
#include "run/PrintRun.h"
#include "run/RunEvents.h"
#include "support/FakeDialogs.h"
#include "support/ManualClock.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// The run object between the browsers and the destination: what it asks of the browsers and in
// which order it hands the pages over.
class RunHandOversTest : public QObject
{
    Q_OBJECT

private slots:
    // Pages reach the destination in list order, each loaded ahead while the one before prints; a
    // page given up costs only itself, and every page saved is told of, whichever browser had it.
    void pagesGoOverInListOrderAndAGivenUpPageCostsOnlyItself()
    {
        QStringList log;
        FakeBrowser browser(log);
        browser.failRenderOf = u"b.example"_s;
        NoPrinters printers;
        RunEvents events;
        FakeDialogs dialogs;
        ManualClock clock;
        const QTemporaryDir folder;
        PrintRun run(printers, browser, events, RunPages(QStringList{u"a.example"_s, u"b.example"_s, u"c.example"_s}),
                     PageTarget::pdfFolder(folder.path()), RunOptions{pagesAlone()});
        QSignalSpy saved(&events, &RunEvents::pageSaved);

        QList<PageReport::Outcome> outcomes;
        for (int row = 1; row <= 3; ++row)
            outcomes << run.printRow(row, 3, row == 1, clock, dialogs).outcome;

        QCOMPARE(outcomes, (QList<PageReport::Outcome>{PageReport::Outcome::Printed, PageReport::Outcome::Failed,
                                                       PageReport::Outcome::Printed}));
        QCOMPARE(log.filter(QRegularExpression(u"^(load|ahead|render)"_s)),
                 (QStringList{u"load a.example"_s, u"ahead b.example"_s, u"render"_s, u"load b.example"_s,
                              u"ahead c.example"_s, u"render"_s, u"load c.example"_s, u"render"_s}));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{u"001 Untitled.pdf"_s, u"003 Untitled.pdf"_s}));
        QCOMPARE(saved.size(), 2);
        QCOMPARE(saved[1][0].toString(), QDir(folder.path()).filePath(u"003 Untitled.pdf"_s));
    }
};

QUILLBRAE_TEST_MAIN(RunHandOversTest)
#include "test_run_hand_overs.moc"
