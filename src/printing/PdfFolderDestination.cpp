#include "printing/PdfFolderDestination.h"

#include "printing/MoveWithoutReplacing.h"
#include "printing/PdfFileName.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>

namespace {
// Past this many files of one name the folder is taken to be filling up for another reason.
constexpr int kMostCopies = 9999;

[[noreturn]] void cannotSave(const QString &file, const QString &why)
{
    throw RuntimeError(ErrorNumber::PathFileAccessError,
                       QStringLiteral("\"%1\" could not be saved: %2").arg(file, why));
}
} // namespace

PdfFolderDestination::PdfFolderDestination(PrinterSystem &printers, const QString &folder)
    : FileDestination(printers), m_folder(QDir(folder).absolutePath())
{
    checkFolderTakesFiles(m_folder);
}

Delivery PdfFolderDestination::deliver(const RenderedPage &page)
{
    const QDir folder(m_folder);
    const QString firstChoice = folder.filePath(pdfFileName(page));
    // Made new, as any new file of the user's is, so that the umask decides who may read it.
    QFile part(folder.filePath(
        QStringLiteral(".quillbrae-%1.part").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'))));
    if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        cannotSave(firstChoice, part.errorString());
    bool placed = false;
    const auto removeUnplaced = qScopeGuard([&] {
        if (!placed)
            part.remove();
    });
    if (part.write(page.pdf) != page.pdf.size() || !part.flush())
        cannotSave(firstChoice, part.errorString());
    part.close();
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const QString target = folder.filePath(pdfFileName(page, copy));
        QString why;
        switch (moveWithoutReplacing(part.fileName(), target, &why)) {
        case MoveOutcome::Moved:
            placed = true;
            return {std::nullopt, QString(), target};
        case MoveOutcome::TargetExists:
            break;
        case MoveOutcome::Failed:
            cannotSave(target, why);
        }
    }
    cannotSave(firstChoice, QStringLiteral("%1 files of that name are there already.").arg(kMostCopies));
}
