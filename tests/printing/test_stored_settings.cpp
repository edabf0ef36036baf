#include "run/StoredSettings.h"
#include "runtime/Settings.h"
#include "support/TestEnvironment.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {
QString settingsFilePath()
{
    return testHome() + u"/config/Orvandel/Quillbrae.conf"_s;
}

QString settingsFileText()
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
} // namespace

// The settings file is read by every later version of the program, and by earlier ones again
// after a downgrade: what is written in it, key for key and value for value, is pinned here.
class StoredSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(settingsFilePath()); }

    void theFileHoldsEveryKeyAsAlwaysWritten()
    {
        PageSetup setup;
        setup.header = u"{title}|{page}"_s;
        setup.footer.clear();
        setup.scale = 0.8;
        setup.backgrounds = true;
        setup.paper = u"A4"_s;
        setup.orientation = QPageLayout::Landscape;
        setup.copies = 2;
        setup.sides = u"two-sided-long-edge"_s;
        setup.pagesInFlight = 3;
        setup.waitRules.lazyLoad = false;
        setup.waitRules.waitFor = u"main"_s;
        setup.waitRules.delaySeconds = 1.5;
        setup.waitRules.keepOverlays = true;
        setup.waitRules.onlyElement = u"article"_s;
        savePageSetup(setup);
        savePrinterChoice(false, 2);
        // "Save as PDF…" leaves the printers' position as it stands.
        savePrinterChoice(true, 3);
        savePdfFolder(u"/home/someone/Saved pages"_s);

        QCOMPARE(settingsFileText(), u"[General]\n"
                                     "Combo1=2\n"
                                     "PdfFolder=/home/someone/Saved pages\n"
                                     "SaveAsPdf=true\n"
                                     "\n"
                                     "[PageSetup]\n"
                                     "Backgrounds=true\n"
                                     "Copies=2\n"
                                     "Delay=1.5\n"
                                     "Footer=\n"
                                     "Header={title}|{page}\n"
                                     "LazyLoad=false\n"
                                     "LeaveOutOverlays=false\n"
                                     "LoadAhead=true\n"
                                     "OnlyElement=article\n"
                                     "Orientation=landscape\n"
                                     "PagesInFlight=3\n"
                                     "Paper=A4\n"
                                     "Scale=80\n"
                                     "Sides=two-sided-long-edge\n"
                                     "WaitFor=main\n"_s);

        const PageSetup read = savedPageSetup();
        QCOMPARE(read.header, setup.header);
        QCOMPARE(read.footer, setup.footer);
        QCOMPARE(read.scale, setup.scale);
        QCOMPARE(read.pagesInFlight, 3);
        QVERIFY(read.waitRules == setup.waitRules);
        QCOMPARE(savedPrinterChoice().position, u"2"_s);
        QVERIFY(savedPrinterChoice().saveAsPdf);
        QCOMPARE(savedPdfFolder(), u"/home/someone/Saved pages"_s);
    }

    // The switches are written alike; one page in flight writes what earlier versions read as
    // "nothing loads ahead".
    void aSetupOfDefaultsAndOnePageAtATime()
    {
        PageSetup setup;
        setup.pagesInFlight = 1;
        savePageSetup(setup);
        savePrinterChoice(false, -1);
        QCOMPARE(settingsFileText(), u"[General]\n"
                                     "Combo1=-1\n"
                                     "SaveAsPdf=false\n"
                                     "\n"
                                     "[PageSetup]\n"
                                     "Backgrounds=false\n"
                                     "Copies=1\n"
                                     "Delay=0\n"
                                     "Footer={url}|{date}\n"
                                     "Header={title}|Page {page} of {pages}\n"
                                     "LazyLoad=true\n"
                                     "LeaveOutOverlays=true\n"
                                     "LoadAhead=false\n"
                                     "OnlyElement=\n"
                                     "Orientation=\n"
                                     "PagesInFlight=1\n"
                                     "Paper=\n"
                                     "Scale=fit\n"
                                     "Sides=\n"
                                     "WaitFor=\n"_s);
        QVERIFY(!savedPrinterChoice().saveAsPdf);
        QCOMPARE(savedPdfFolder(), QString());
    }

    // A file of a version before pages in flight: LoadAhead alone says one page or two.
    void theOldLoadAheadSwitchIsStillRead()
    {
        Settings::write(u"PageSetup/LoadAhead"_s, u"false"_s);
        QCOMPARE(savedPageSetup().pagesInFlight, 1);
        Settings::write(u"PageSetup/LoadAhead"_s, u"true"_s);
        QCOMPARE(savedPageSetup().pagesInFlight, 2);
        Settings::write(u"PageSetup/PagesInFlight"_s, u"4"_s);
        QCOMPARE(savedPageSetup().pagesInFlight, 4);
    }
};

QUILLBRAE_TEST_MAIN(StoredSettingsTest)
#include "test_stored_settings.moc"
