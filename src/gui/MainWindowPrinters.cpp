#include "gui/MainWindow.h"

#include "printers/PrinterPosition.h"
#include "printers/PrinterSystem.h"
#include "runtime/RuntimeError.h"
#include "runtime/Settings.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <optional>

namespace {
constexpr auto kPositionSetting = "Combo1";
} // namespace

void MainWindow::LoadPrinterList()
{
    PrinterSystem &printers = *m_services.printers;
    // The list comes first: a print system that cannot be reached ends the start-up's printer steps
    // here with one report, rather than being waited for a second time.
    const QStringList names = printers.printerNames();
    QString defaultName;
    std::optional<RuntimeError> defaultUnreadable;
    try {
        defaultName = printers.defaultPrinterName();
    } catch (const RuntimeError &error) {
        defaultUnreadable = error;
    }

    {
        // Filling the list chooses nothing: only the steps below select, and store, a position.
        const QSignalBlocker quiet(m_printerBox);
        m_printerBox->addItems(names);
        m_printerBox->setCurrentIndex(-1);
    }

    const QString stored = Settings::read(QLatin1String(kPositionSetting));
    if (stored.isEmpty()) {
        if (!defaultName.isEmpty())
            m_printerBox->setCurrentIndex(
                m_printerBox->findText(defaultName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (m_printerBox->count() > 0) {
        const int position = storedPrinterPosition(stored);
        // -1 is a valid position: no printer chosen.
        if (position < -1 || position >= m_printerBox->count())
            throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value"));
        m_printerBox->setCurrentIndex(position);
    }

    // Without a default the printers are still offered, so the user can pick one; that the default
    // could not be read is reported all the same.
    if (defaultUnreadable)
        throw *defaultUnreadable;
}

void MainWindow::rememberChosenPrinter()
{
    Settings::write(QLatin1String(kPositionSetting), QString::number(m_printerBox->currentIndex()));
}
