#include "gui/MainWindow.h"
#include "gui/WindowPointer.h"
#include "runtime/AppPaths.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"
#include "support/TestEnvironment.h"
#include "support/WindowControls.h"
#include "urllist/UrlListModel.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTreeView>

namespace {
void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void writePicture(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(path, "ICO"));
}
} // namespace

// The optional skin and pointer pictures of an installed program, whose executable lies in a
// folder of programs: beside the executable first, else in the data folders.
class ShippedFilesTest : public QObject
{
    Q_OBJECT

    FakeDialogs dialogs;
    FixedDraw draw{50};
    RecordingOpener opener;
    NoPrinters printers;
    std::unique_ptr<FakePing> ping;
    QTemporaryDir systemData;
    QString installed;

private slots:
    void initTestCase()
    {
        ping = std::make_unique<FakePing>(QLatin1String(kPingReply));
        // The data folders of an installed system: share/quillbrae/ under a prefix.
        qputenv("XDG_DATA_DIRS", systemData.path().toLocal8Bit());
        installed = systemData.path() + QStringLiteral("/quillbrae");
    }

    void aFileBesideTheExecutableComesBeforeTheInstalledOne()
    {
        const QString name = QStringLiteral("/shipped-files-test.txt");
        const QString beside = applicationFolder() + name;
        QCOMPARE(shippedFilePath(name), beside);
        writeFile(installed + name, "installed");
        QCOMPARE(shippedFilePath(name), installed + name);
        writeFile(beside, "beside");
        QCOMPARE(shippedFilePath(name), beside);
        QFile::remove(beside);
    }

    void theWindowTakesSkinAndPointersFromTheDataFolder()
    {
        for (const char *name : {"/x/o.cjs", "/HAND-M.CUR", "/drag.ico"})
            QVERIFY2(!QFile::exists(applicationFolder() + QLatin1String(name)), name);
        writeFile(installed + QStringLiteral("/x/o.cjs"), "QPushButton { color: #405060; }\n");
        writePicture(installed + QStringLiteral("/HAND-M.CUR"));
        writePicture(installed + QStringLiteral("/drag.ico"));

        MainWindow form(quietServices(dialogs, draw, opener, &printers));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(dialogs.errorReports().size(), 0);
        QVERIFY(form.styleSheet().contains(QLatin1String("#405060")));
        QVERIFY(child<WindowPointer>(form, "WindowPointer")->hand().has_value());
        // Pressing on an address picks it up for a drag.
        form.urlList()->append(QStringLiteral("https://example.org/"));
        auto *list = child<QTreeView>(form, "ListView1");
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->visualRect(form.urlList()->index(0, 0)).center());
        QCOMPARE(list->cursor().shape(), Qt::BitmapCursor);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {},
                            list->visualRect(form.urlList()->index(0, 0)).center());
    }
};

QUILLBRAE_TEST_MAIN(ShippedFilesTest)
#include "test_shipped_files.moc"
