#include "gui/MainWindow.h"

#include "run/StoredSettings.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"

#include <QComboBox>
#include <QDir>

std::optional<PageTarget> MainWindow::chosenTarget()
{
    if (saveAsPdfChosen()) {
        const QString last = savedPdfFolder();
        const QString folder = m_services.dialogs->chooseFolder(
            {QStringLiteral("Save the pages as PDF files in"), last.isEmpty() ? QDir::homePath() : last});
        if (folder.isEmpty())
            return std::nullopt;
        return PageTarget::pdfFolder(folder);
    }
    // With printers but no default, the box starts with none chosen: pages must not go anywhere the
    // user did not choose.
    const QString printer = m_printerBox->currentText();
    if (printer.isEmpty()) {
        m_services.dialogs->message(QStringLiteral("No printer is chosen. Choose one under \"Select Printer\", or "
                                                   "\"Save as PDF…\" to keep the pages as files."),
                                    applicationTitle(), Dialogs::Icon::None);
        return std::nullopt;
    }
    return PageTarget::printer(printer);
}

void MainWindow::rememberPdfFolder(const QString &folder)
{
    savePdfFolder(folder);
}
