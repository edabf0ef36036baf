#include "gui/MainWindow.h"

#include "printing/LookaheadBrowser.h"
#include "printing/PdfFolderDestination.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/RuntimeError.h"
#include "runtime/Settings.h"

#include <QDir>

namespace {
// The folder the last run saved its pages in, where the next one's choice starts.
constexpr auto kPdfFolderSetting = "PdfFolder";
} // namespace

bool MainWindow::chooseFolderForRun()
{
    Dialogs &dialogs = *m_services.dialogs;
    const QString last = Settings::read(QLatin1String(kPdfFolderSetting));
    const QString folder = dialogs.chooseFolder(
        {QStringLiteral("Save the pages as PDF files in"), last.isEmpty() ? QDir::homePath() : last});
    if (folder.isEmpty())
        return false;
    try {
        m_pages->setDestination(std::make_shared<PdfFolderDestination>(*m_services.printers, folder));
    } catch (const RuntimeError &error) {
        dialogs.message(error.description(), applicationTitle(), Dialogs::Icon::Warning);
        return false;
    }
    Settings::write(QLatin1String(kPdfFolderSetting), folder);
    return true;
}
