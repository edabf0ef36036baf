#include "destinations/JoinedPdfDestination.h"

#include "destinations/PartFile.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

JoinedPdfDestination::JoinedPdfDestination(PrinterSystem &printers, const QString &file)
    : FileDestination(printers), m_file(QFileInfo(file).absoluteFilePath()), m_book(folderOf(m_file))
{}

QString JoinedPdfDestination::folderOf(const QString &file)
{
    if (QFileInfo(file).isDir())
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("\"%1\" is a folder; a file's name is needed.").arg(file));
    QString folder = QFileInfo(file).absolutePath();
    checkFolderTakesFiles(folder);
    return folder;
}

Delivery JoinedPdfDestination::deliver(const PageToDeliver &page)
{
    m_book.add(page.page.pdf, page.page.titleOrAddress());
    Delivery kept;
    kept.file = m_file;
    kept.pending = true;
    return kept;
}

void JoinedPdfDestination::write()
{
    PartFile part(folderOf(m_file), QStringLiteral("\"%1\" could not be written").arg(m_file));
    m_book.write([&](const char *data, size_t size) { part.write(data, static_cast<qint64>(size)); });
    part.finish();
    // It replaces the file that was there, as that one was: readable by those who could read it.
    if (QFileInfo::exists(m_file))
        QFile::setPermissions(part.path(), QFile::permissions(m_file));
    if (std::rename(QFile::encodeName(part.path()).constData(), QFile::encodeName(m_file).constData()) != 0)
        part.fail();
    part.placed();
}
