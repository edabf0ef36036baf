#include "urllist/ListReader.h"

#include "runtime/RuntimeError.h"
#include "urllist/CrLineReader.h"
#include "urllist/ListFileText.h"

#include <QFile>
#include <QFileInfo>

void openListFile(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.isFile())
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("Permission denied"));
        throw RuntimeError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

void readListRows(QIODevice &device, const std::function<bool(const QString &row)> &row)
{
    const ListFileText text = ListFileText::detect(device);
    CrLineReader reader(device);
    while (!reader.atEnd()) {
        const QByteArray line = reader.readLine();
        const QByteArrayView bytes(line);
        qsizetype start = 0;
        for (qsizetype lf = bytes.indexOf('\n'); lf >= 0; lf = bytes.indexOf('\n', start)) {
            if (!row(text.decode(bytes.sliced(start, lf - start))))
                return;
            start = lf + 1;
        }
        if (!row(text.decode(bytes.sliced(start))))
            return;
    }
}

bool isBlankRow(const QString &row)
{
    return row.trimmed().isEmpty();
}
