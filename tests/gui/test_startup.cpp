#include "gui/MainWindow.h"
#include "gui/WindowPointer.h"
#include "printers/CupsPrinterSystem.h"
#include "printers/DefaultPrinterRecord.h"
#include "runtime/AppPaths.h"
#include "runtime/ProgramLifetime.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

#include <memory>

namespace {
const QString skinPath()
{
    return applicationFolder() + QStringLiteral("/x/o.cjs");
}
const QString cursorPath()
{
    return applicationFolder() + QStringLiteral("/HAND-M.CUR");
}

// A pointer movement over a control, delivered as the window system would deliver it.
void moveOver(QWidget *widget)
{
    const QPoint inside(3, 3);
    QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
} // namespace

// Start-up as a whole: every step runs even after one fails, the optional files beside the
// executable, the home-page draw and the pointer convention.
class StartupTest : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    std::unique_ptr<FakePing> ping;

    std::unique_ptr<MainWindow> loadedForm()
    {
        auto form = std::make_unique<MainWindow>(quietServices(dialogs, draw, opener));
        // Showing the window loads it.
        form->show();
        return form;
    }

    QStringList reportedLines() const
    {
        QStringList lines;
        for (const auto &report : dialogs.errorReports()) {
            const qsizetype at = report.text.indexOf(QLatin1String("at line "));
            lines << report.text.mid(at + 8, 3);
        }
        return lines;
    }

    void verifyLaterStepsRan(const MainWindow &form)
    {
        QCOMPARE(form.windowTitle(), QStringLiteral("Quillbrae"));
        const QTreeView *list = child<QTreeView>(form, "ListView1");
        QCOMPARE(list->header()->count(), 1);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("URL(s)"));
        QCOMPARE(list->columnWidth(0), 6700 / 15);
        // The test print server has printers, so the last step fills the drop-down.
        const QComboBox *printerBox = child<QComboBox>(form, "Combo1");
        QVERIFY(printerBox->count() > 0);
        // The printers, and "Save as PDF…" after them.
        QCOMPARE(printerBox->count(), CupsPrinterSystem().printerNames().size() + 1);
    }

private slots:
    void initTestCase() { ping = std::make_unique<FakePing>(QLatin1String(kPingReply)); }

    void init()
    {
        dialogs = FakeDialogs();
        draw.value = 50;
        opener.opened.clear();
        QFile::remove(skinPath());
        QFile::remove(cursorPath());
    }

    void cleanup()
    {
        QFile::remove(skinPath());
        QFile::remove(cursorPath());
    }

    void plainStartUpShowsNothingAndKeepsDesignColours()
    {
        auto form = loadedForm();
        QCOMPARE(dialogs.errorReports().size(), 0);
        verifyLaterStepsRan(*form);
        QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(form->styleSheet().isEmpty());
        QVERIFY(!child<WindowPointer>(*form, "WindowPointer")->hand().has_value());
        QVERIFY(opener.opened.isEmpty());
        // Looking for a switch to put back, with none to find, makes no state folder or files.
        QVERIFY2(!QFileInfo::exists(DefaultPrinterRecord::folder()), qPrintable(DefaultPrinterRecord::folder()));
    }

    void skinGivesFaceColoursThenTheStyleSheet()
    {
        writeFile(skinPath(), "QPushButton { color: #102030; }\n");
        auto form = loadedForm();
        QCOMPARE(dialogs.errorReports().size(), 0);
        const QColor face = QApplication::palette().color(QPalette::Button);
        QCOMPARE(form->palette().color(QPalette::Window), face);
        QCOMPARE(child<QGroupBox>(*form, "Frame1")->palette().color(QPalette::Window), face);
        QCOMPARE(child<QGroupBox>(*form, "Frame2")->palette().color(QPalette::Window), face);
        QVERIFY(form->styleSheet().contains(QLatin1String("#102030")));
    }

    void badSkinIsReportedAtLine100AndStartUpGoesOn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unparsable") << QByteArray("QPushButton { color: red; \n QLabel {{{ ");
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe garbage", 12);
    }

    void badSkinIsReportedAtLine100AndStartUpGoesOn()
    {
        QFETCH(QByteArray, content);
        writeFile(skinPath(), content);
        auto form = loadedForm();
        QCOMPARE(reportedLines(), QStringList{QStringLiteral("100")});
        QVERIFY(dialogs.errorReports()[0].text.contains(
            QLatin1String("in Quillbrae2021/08/31.Form1.Form_Load at line 100")));
        verifyLaterStepsRan(*form);
    }

    void skinThatIsAFolderCountsAsMissing()
    {
        QDir().mkpath(skinPath());
        auto form = loadedForm();
        QDir().rmdir(skinPath());
        QCOMPARE(dialogs.errorReports().size(), 0);
        QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
    }

    void unreadableCursorIsReportedAtLine108Only()
    {
        writeFile(cursorPath(), "not a cursor");
        auto form = loadedForm();
        QCOMPARE(reportedLines(), QStringList{QStringLiteral("108")});
        QVERIFY(!child<WindowPointer>(*form, "WindowPointer")->hand().has_value());
        verifyLaterStepsRan(*form);
    }

    void homePageOpensOnlyOnTheDrawOfSeven()
    {
        draw.value = 7;
        loadedForm();
        QCOMPARE(opener.opened.size(), 1);
        QCOMPARE(opener.opened[0].scheme(), QStringLiteral("https"));
        draw.value = 8;
        loadedForm();
        QCOMPARE(opener.opened.size(), 1);
    }

    void pointerFollowsTheConventionAndTheHourglassStays()
    {
        auto form = loadedForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        WindowPointer *pointer = child<WindowPointer>(*form, "WindowPointer");
        moveOver(child<QPushButton>(*form, "PushButton1"));
        QCOMPARE(pointer->shape(), WindowPointer::Shape::Hand);
        moveOver(child<QGroupBox>(*form, "Frame2"));
        QCOMPARE(pointer->shape(), WindowPointer::Shape::Arrow);
        moveOver(child<QPushButton>(*form, "PushButton10"));
        QCOMPARE(pointer->shape(), WindowPointer::Shape::Hand);
        moveOver(form.get());
        QCOMPARE(pointer->shape(), WindowPointer::Shape::Arrow);

        pointer->set(WindowPointer::Shape::Busy);
        moveOver(child<QPushButton>(*form, "PushButton9"));
        moveOver(child<QGroupBox>(*form, "Frame1"));
        QCOMPARE(pointer->shape(), WindowPointer::Shape::Busy);
        QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
    }

    void closingTheWindowEndsTheProgram()
    {
        auto form = loadedForm();
        QVERIFY(!programEnding());
        form->close();
        QVERIFY(programEnding());
        resetProgramEndForTesting();
    }
};

QUILLBRAE_TEST_MAIN(StartupTest)
#include "test_startup.moc"
