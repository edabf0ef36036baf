#include "gui/PdfFolderChoice.h"

#include "run/StoredSettings.h"
#include "runtime/Dialogs.h"

#include <QDir>

std::optional<PageTarget> PdfFolderChoice::choose()
{
    const QString last = savedPdfFolder();
    const QString folder = m_dialogs.chooseFolder(
        {QStringLiteral("Save the pages as PDF files in"), last.isEmpty() ? QDir::homePath() : last});
    if (folder.isEmpty())
        return std::nullopt;
    return PageTarget::pdfFolder(folder);
}

void PdfFolderChoice::remember(const QString &folder)
{
    savePdfFolder(folder);
}
