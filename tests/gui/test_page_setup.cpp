#include "PrintServerTools.h"
#include "PrintServerWindowTest.h"
#include "gui/MainWindow.h"
#include "gui/PageSetupDialog.h"
#include "printers/PrinterSystem.h"
#include "printing/PrintedJobs.h"
#include "run/StoredSettings.h"
#include "runtime/Settings.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {
const QString kPrinter = QStringLiteral("Test-Alpha");

// Every field of a setup that the dialog shows, in one line, so that a comparison names the field
// that differs.
QString described(const PageSetup &setup)
{
    const QString orientation = !setup.orientation                             ? u"printer's"_s
                                : *setup.orientation == QPageLayout::Landscape ? u"landscape"_s
                                                                               : u"portrait"_s;
    const WaitRules &rules = setup.waitRules;
    return u"header=%1, footer=%2, scale=%3, backgrounds=%4, paper=%5, orientation=%6, copies=%7, sides=%8, "
           u"pages in flight=%9"_s.arg(
               setup.header, setup.footer, scaleText(setup.scale), setup.backgrounds ? u"yes"_s : u"no"_s, setup.paper,
               orientation, QString::number(setup.copies), setup.sides, QString::number(setup.pagesInFlight)) +
           u", lazy content=%1, wait for=%2, delay=%3"_s.arg(rules.lazyLoad ? u"yes"_s : u"no"_s, rules.waitFor,
                                                             QString::number(rules.delaySeconds)) +
           u", overlays kept=%1, only=%2"_s.arg(rules.keepOverlays ? u"yes"_s : u"no"_s, rules.onlyElement);
}

void clickButton(const PageSetupDialog &dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(dialog.findChild<QDialogButtonBox *>()->button(which), Qt::LeftButton);
}
} // namespace

// The Page Setup dialog as the main window's button opens it, over the private print server's
// printers and the settings it keeps, and the header and footer a run then prints.
class PageSetupTest : public PrintServerWindowTest
{
    Q_OBJECT

    // Clicks Page Setup and works on the dialog while it stands open; the click returns once the
    // dialog is closed, by `act` or, should `act` fail half-way, by this.
    void withPageSetup(const std::function<void(PageSetupDialog &)> &act)
    {
        bool opened = false;
        QTimer onOpen;
        connect(&onOpen, &QTimer::timeout, this, [&] {
            // The dialog exists before it is ready: events run while the printer's papers are asked for.
            auto *dialog = form->findChild<PageSetupDialog *>();
            if (!dialog || !dialog->isVisible())
                return;
            onOpen.stop();
            opened = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        onOpen.start(10);
        QTest::mouseClick(child<QPushButton>(*form, "PageSetupButton"), Qt::LeftButton);
        QVERIFY(opened);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(privatePrintServerConfigured(), "run through scripts/test: it starts the private print server");
        web.serveHtml(u"/report.html"_s, u"Quarterly report"_s, u"Sales went up"_s);
    }

    void init()
    {
        savePageSetup(PageSetup());
        resetStandIns();
    }

    void cleanup() { closeWindow(); }

    void okSavesEveryFieldAndCancelSavesNothing()
    {
        const QList<PaperSize> papers = printers().paperSizes(kPrinter);
        const auto letter = std::find_if(papers.cbegin(), papers.cend(),
                                         [](const PaperSize &paper) { return paper.name.contains(u"letter"_s); });
        QVERIFY(letter != papers.cend());
        PageSetup chosen;
        chosen.header = u"{title}||{page}"_s;
        chosen.footer.clear();
        chosen.scale = 1.0;
        chosen.backgrounds = true;
        chosen.paper = letter->name;
        chosen.orientation = QPageLayout::Landscape;
        chosen.copies = 3;
        chosen.sides = u"two-sided-short-edge"_s;
        chosen.pagesInFlight = 3;
        chosen.waitRules = {false, u"#main img"_s, 2.5, true, u"article"_s};
        openWindow(kPrinter);

        withPageSetup([&](PageSetupDialog &dialog) {
            auto *paper = child<QComboBox>(dialog, "Paper");
            QCOMPARE(paper->itemText(0), u"Printer's default"_s);
            QCOMPARE(qsizetype{paper->count()}, papers.size() + 1);
            child<QLineEdit>(dialog, "Header")->setText(chosen.header);
            child<QLineEdit>(dialog, "Footer")->clear();
            child<QCheckBox>(dialog, "FitWidePages")->click();
            child<QCheckBox>(dialog, "Backgrounds")->click();
            paper->setCurrentIndex(paper->findText(letter->displayName));
            child<QComboBox>(dialog, "Orientation")->setCurrentText(u"Landscape"_s);
            child<QSpinBox>(dialog, "Copies")->setValue(chosen.copies);
            child<QComboBox>(dialog, "Sides")->setCurrentText(u"Two-sided, short edge"_s);
            child<QSpinBox>(dialog, "PagesInFlight")->setValue(chosen.pagesInFlight);
            child<QCheckBox>(dialog, "LazyLoad")->click();
            child<QLineEdit>(dialog, "WaitFor")->setText(u" #main img "_s);
            child<QDoubleSpinBox>(dialog, "Delay")->setValue(chosen.waitRules.delaySeconds);
            auto *leaveOut = child<QCheckBox>(dialog, "LeaveOutOverlays");
            QVERIFY(leaveOut->isChecked());
            leaveOut->click();
            child<QLineEdit>(dialog, "OnlyElement")->setText(u" article "_s);
            clickButton(dialog, QDialogButtonBox::Ok);
        });
        QCOMPARE(described(savedPageSetup()), described(chosen));

        withPageSetup([&](PageSetupDialog &dialog) {
            QCOMPARE(described(dialog.pageSetup()), described(chosen));
            child<QLineEdit>(dialog, "Header")->setText(u"{url}"_s);
            child<QCheckBox>(dialog, "FitWidePages")->click();
            child<QComboBox>(dialog, "Paper")->setCurrentIndex(0);
            child<QSpinBox>(dialog, "Copies")->setValue(7);
            clickButton(dialog, QDialogButtonBox::Cancel);
        });
        QCOMPARE(described(savedPageSetup()), described(chosen));
    }

    // Files are laid out on the default printer's paper: with "Save as PDF…" chosen, the dialog
    // offers that printer's papers.
    void saveAsPdfOffersTheDefaultPrintersPapers()
    {
        const qsizetype papers = printers().paperSizes(kServerDefault).size();
        QVERIFY(papers > 0);
        openWindow(u"Save as PDF…"_s);
        withPageSetup([&](PageSetupDialog &dialog) {
            QCOMPARE(qsizetype{child<QComboBox>(dialog, "Paper")->count()}, papers + 1);
        });
    }

    // A paper saved for another printer, a scale set outside the dialog and a delay finer than its
    // box shows survive an OK that didn't touch them.
    void whatTheDialogCannotOfferIsKept()
    {
        PageSetup earlier;
        earlier.paper = u"iso_a6_105x148mm"_s;
        earlier.scale = 0.8;
        earlier.waitRules.delaySeconds = 0.25;
        savePageSetup(earlier);
        openWindow(kPrinter);

        withPageSetup([&](PageSetupDialog &dialog) {
            QCOMPARE(child<QComboBox>(dialog, "Paper")->currentText(), earlier.paper);
            QVERIFY(!child<QCheckBox>(dialog, "FitWidePages")->isChecked());
            clickButton(dialog, QDialogButtonBox::Ok);
        });
        QCOMPARE(described(savedPageSetup()), described(earlier));
    }

    // A hand-edited settings file gets no more than the dialog offers: a value out of its range, or
    // one it can't read, is the default.
    void handEditedValuesAreHeldToTheDialogsRanges()
    {
        const std::pair<const char *, const char *> edits[] = {
            {"Delay", "99999999"},       {"Copies", "0"},        {"Sides", "both-ways"}, {"Scale", "5"},
            {"Orientation", "diagonal"}, {"Backgrounds", "yes"}, {"LazyLoad", "no"},     {"LoadAhead", "1"},
        };
        for (const auto &[key, value] : edits)
            Settings::write(u"PageSetup/"_s + QLatin1String(key), QLatin1String(value));
        QCOMPARE(described(savedPageSetup()), described(PageSetup()));
        Settings::write(u"PageSetup/Copies"_s, u"10000"_s);
        Settings::write(u"PageSetup/Delay"_s, u"3600"_s);
        QCOMPARE(savedPageSetup().copies, 1);
        QCOMPARE(savedPageSetup().waitRules.delaySeconds, 3600.0);
    }

    // A page printed with the setup as it comes has its title, number, address and date around
    // it. Page Setup does nothing while the run prints: the dialog's own loop would hold the run.
    void aRunPrintsTheDefaultHeaderAndFooter()
    {
        openWindow(kPrinter);
        form->urlList()->append(web.address(u"/report.html"_s));
        // A pause of nothing still gives the run its pause slices, where the button is clicked.
        child<QLineEdit>(*form, "Text2")->setText(u"0"_s);
        bool triedDuringRun = false;
        bool openedDuringRun = false;
        QTimer closeAnyDialog;
        connect(&closeAnyDialog, &QTimer::timeout, this, [&] {
            if (auto *dialog = form->findChild<PageSetupDialog *>(); dialog && dialog->isVisible()) {
                openedDuringRun = true;
                dialog->reject();
            }
        });
        runClock->onWait = [&](double) {
            if (std::exchange(triedDuringRun, true))
                return;
            closeAnyDialog.start(10);
            QTest::mouseClick(child<QPushButton>(*form, "PageSetupButton"), Qt::LeftButton);
        };
        const int before = jobCount(kPrinter);
        QTest::mouseClick(child<QPushButton>(*form, "PushButton2"), Qt::LeftButton);
        closeAnyDialog.stop();

        QVERIFY(triedDuringRun);
        QVERIFY(!openedDuringRun);
        QCOMPARE(dialogs.messageTexts(), QStringList{u"Done."_s});
        const QList<PrintedJob> jobs = jobsSince(kPrinter, before);
        QCOMPARE(jobs.size(), 1);
        const QString text = jobs[0].text.simplified();
        for (const QString &expected :
             {u"Quarterly report"_s, u"Page 1 of 1"_s, web.url(u"/report.html"_s),
              QLocale().toString(QDate::currentDate(), QLocale::ShortFormat), u"Sales went up"_s})
            QVERIFY2(text.contains(expected), qPrintable(expected + u" is not in: "_s + text));
    }
};

QUILLBRAE_TEST_MAIN(PageSetupTest)
#include "test_page_setup.moc"
