#include "gui/MainWindow.h"

#include "printers/PrinterPosition.h"
#include "printers/PrinterSystem.h"
#include "run/StoredSettings.h"
#include "runtime/RuntimeError.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <optional>

void MainWindow::addSaveAsPdfEntry()
{
    const QSignalBlocker quiet(m_printerBox);
    m_printerBox->addItem(QStringLiteral("Save as PDF…"), true);
    m_printerBox->setCurrentIndex(-1);
}

bool MainWindow::saveAsPdfChosen() const
{
    return m_printerBox->currentData().toBool();
}

QString MainWindow::paperPrinter() const
{
    if (!saveAsPdfChosen())
        return m_printerBox->currentText();
    // Files are laid out on the default printer's paper, as a print to it would be.
    try {
        return m_services.printers->defaultPrinterName();
    } catch (const RuntimeError &) {
        return {};
    }
}

void MainWindow::loadPrinterList()
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
        // Filling the list chooses nothing: only the steps below select, and store, a position. The
        // printers go before "Save as PDF…", so that each keeps the position it always had.
        const QSignalBlocker quiet(m_printerBox);
        m_printerBox->insertItems(0, names);
        m_printerBox->setCurrentIndex(-1);
    }

    const SavedPrinterChoice stored = savedPrinterChoice();
    if (stored.saveAsPdf) {
        m_printerBox->setCurrentIndex(m_printerBox->count() - 1);
    } else if (stored.position.isEmpty()) {
        if (!defaultName.isEmpty())
            m_printerBox->setCurrentIndex(
                m_printerBox->findText(defaultName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (!names.isEmpty()) {
        const int position = storedPrinterPosition(stored.position);
        // -1 is a valid position: no printer chosen.
        if (position < -1 || position >= names.size())
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
    savePrinterChoice(saveAsPdfChosen(), m_printerBox->currentIndex());
}
