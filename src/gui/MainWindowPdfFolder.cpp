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

QString MainWindow::chooseFolderForRun()
{
    const QString last = Settings::read(QLatin1String(kPdfFolderSetting));
    return m_services.dialogs->chooseFolder(
        {QStringLiteral("Save the pages as PDF files in"), last.isEmpty() ? QDir::homePath() : last});
}

bool MainWindow::saveInFolder(const QString &folder)
{
    try {
        m_pages->setDestination(std::make_shared<PdfFolderDestination>(*m_services.printers, folder));
    } catch (const RuntimeError &error) {
        m_services.dialogs->message(error.description(), applicationTitle(), Dialogs::Icon::Warning);
        return false;
    }
    Settings::write(QLatin1String(kPdfFolderSetting), folder);
    return true;
}
