#include "gui/PrinterChoice.h"

#include "gui/PdfFolderChoice.h"
#include "printers/PrinterPosition.h"
#include "printers/PrinterSystem.h"
#include "run/StoredSettings.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/RuntimeError.h"

#include <QComboBox>
#include <QSignalBlocker>

PrinterChoice::PrinterChoice(QComboBox &box, PrinterSystem &printers, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_box(box), m_printers(printers), m_dialogs(dialogs)
{
    {
        const QSignalBlocker quiet(m_box);
        m_box.addItem(QStringLiteral("Save as PDF…"), true);
        m_box.setCurrentIndex(-1);
    }
    connect(&m_box, &QComboBox::currentIndexChanged, this, &PrinterChoice::rememberChosenPrinter);
}

bool PrinterChoice::saveAsPdfChosen() const
{
    return m_box.currentData().toBool();
}

QString PrinterChoice::paperPrinter() const
{
    if (!saveAsPdfChosen())
        return m_box.currentText();
    // Files are laid out on the default printer's paper, as a print to it would be.
    try {
        return m_printers.defaultPrinterName();
    } catch (const RuntimeError &) {
        return {};
    }
}

void PrinterChoice::loadPrinterList()
{
    // The list comes first: a print system that cannot be reached ends the start-up's printer steps
    // here with one report, rather than being waited for a second time.
    const QStringList names = m_printers.printerNames();
    QString defaultName;
    std::optional<RuntimeError> defaultUnreadable;
    try {
        defaultName = m_printers.defaultPrinterName();
    } catch (const RuntimeError &error) {
        defaultUnreadable = error;
    }

    {
        // Filling the list chooses nothing: only the steps below select, and store, a position. The
        // printers go before "Save as PDF…", so that each keeps the position it always had.
        const QSignalBlocker quiet(m_box);
        m_box.insertItems(0, names);
        m_box.setCurrentIndex(-1);
    }

    const SavedPrinterChoice stored = savedPrinterChoice();
    if (stored.saveAsPdf) {
        m_box.setCurrentIndex(m_box.count() - 1);
    } else if (stored.position.isEmpty()) {
        if (!defaultName.isEmpty())
            m_box.setCurrentIndex(m_box.findText(defaultName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (!names.isEmpty()) {
        const int position = storedPrinterPosition(stored.position);
        // -1 is a valid position: no printer chosen.
        if (position < -1 || position >= names.size())
            throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value"));
        m_box.setCurrentIndex(position);
    }

    // Without a default the printers are still offered, so the user can pick one; that the default
    // could not be read is reported all the same.
    if (defaultUnreadable)
        throw *defaultUnreadable;
}

void PrinterChoice::rememberChosenPrinter()
{
    savePrinterChoice(saveAsPdfChosen(), m_box.currentIndex());
}

std::optional<PageTarget> PrinterChoice::chosenTarget(PdfFolderChoice &pdfFolder) const
{
    if (saveAsPdfChosen())
        return pdfFolder.choose();
    // With printers but no default, the box starts with none chosen: pages must not go anywhere the
    // user did not choose.
    const QString printer = m_box.currentText();
    if (printer.isEmpty()) {
        m_dialogs.message(QStringLiteral("No printer is chosen. Choose one under \"Select Printer\", or "
                                         "\"Save as PDF…\" to keep the pages as files."),
                          applicationTitle(), Dialogs::Icon::None);
        return std::nullopt;
    }
    return PageTarget::printer(printer);
}
