#include "destinations/PdfFolderDestination.h"

#include "destinations/MoveWithoutReplacing.h"
#include "destinations/PartFile.h"
#include "destinations/PdfFileName.h"
#include "runtime/RuntimeError.h"

#include <QDir>

namespace {
// Past this many files of one name the folder is taken to be filling up for another reason.
constexpr int kMostOfOneName = 9999;

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

Delivery PdfFolderDestination::deliver(const PageToDeliver &page)
{
    const QDir folder(m_folder);
    const QString firstChoice = folder.filePath(pdfFileName(page));
    PartFile part(m_folder, QStringLiteral("\"%1\" could not be saved").arg(firstChoice));
    part.write(page.page.pdf);
    part.finish();
    for (int copy = 1; copy <= kMostOfOneName; ++copy) {
        const QString target = folder.filePath(pdfFileName(page, copy));
        QString why;
        switch (moveWithoutReplacing(part.path(), target, &why)) {
        case MoveOutcome::Moved:
            part.placed();
            return {std::nullopt, QString(), target};
        case MoveOutcome::TargetExists:
            break;
        case MoveOutcome::Failed:
            cannotSave(target, why);
        }
    }
    cannotSave(firstChoice, QStringLiteral("%1 files of that name are there already.").arg(kMostOfOneName));
}
