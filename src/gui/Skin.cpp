#include "gui/Skin.h"

#include "runtime/AppPaths.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStringDecoder>

namespace {
// A skin is a style sheet, hence text; a file larger than this is not one of ours.
constexpr qint64 kLargestSkin = qint64{4} * 1024 * 1024;

QtMessageHandler previousHandler = nullptr;
bool parseFailed = false;

void watchForParseFailure(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("Could not parse")))
        parseFailed = true;
    else if (previousHandler)
        previousHandler(type, context, message);
}

// Qt reports an unparsable style sheet only as a warning while polishing; catch that warning.
bool styleSheetParses(const QString &sheet)
{
    parseFailed = false;
    previousHandler = qInstallMessageHandler(watchForParseFailure);
    {
        QWidget probe;
        probe.setStyleSheet(sheet);
        probe.ensurePolished();
    }
    qInstallMessageHandler(previousHandler);
    return !parseFailed;
}

QString readSkin(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("Cannot read the skin file: %1").arg(file.errorString()));
    if (file.size() > kLargestSkin)
        throw RuntimeError(ErrorNumber::BadFileMode, QStringLiteral("The skin file is too large to be a skin."));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString sheet = decoder.decode(bytes);
    if (decoder.hasError() || bytes.contains('\0'))
        throw RuntimeError(ErrorNumber::BadFileMode, QStringLiteral("The skin file is not a text file."));
    if (!styleSheetParses(sheet))
        throw RuntimeError(ErrorNumber::BadFileMode, QStringLiteral("The skin file is not a valid style sheet."));
    return sheet;
}

void giveFaceColour(QWidget &widget, const QColor &face)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, face);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}
} // namespace

void useButtonFaceColours(QWidget &window)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    giveFaceColour(window, face);
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (qobject_cast<QGroupBox *>(control) || qobject_cast<QLabel *>(control) ||
            qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control))
            giveFaceColour(*control, face);
    }
}

void applySkin(QWidget &window)
{
    const QString path = shippedFilePath(QStringLiteral("/x/o.cjs"));
    if (!QFileInfo(path).isFile())
        return;
    useButtonFaceColours(window);
    window.setStyleSheet(readSkin(path));
}
