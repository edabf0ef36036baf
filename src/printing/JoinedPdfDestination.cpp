#include "printing/JoinedPdfDestination.h"

#include "runtime/RuntimeError.h"

#include <QFileInfo>
#include <QSaveFile>

JoinedPdfDestination::JoinedPdfDestination(PrinterSystem &printers, const QString &file)
    : FileDestination(printers), m_file(QFileInfo(file).absoluteFilePath())
{
    if (QFileInfo(m_file).isDir())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("\"%1\" is a folder; a file's name is needed.").arg(m_file));
    checkFolderTakesFiles(QFileInfo(m_file).absolutePath());
}

Delivery JoinedPdfDestination::deliver(const RenderedPage &page)
{
    m_book.add(page.pdf, page.titleOrAddress());
    return {std::nullopt, QString(), m_file};
}

void JoinedPdfDestination::write()
{
    const QByteArray pdf = m_book.written();
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("\"%1\" could not be written: %2").arg(m_file, file.errorString()));
}
