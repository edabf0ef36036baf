#pragma once

#include "destinations/PageTarget.h"

#include <QObject>

#include <optional>

class Dialogs;
class PdfFolderChoice;
class PrinterSystem;
class QComboBox;

// The window's printer box, "Combo1": the printers, then "Save as PDF…", which is there before
// the printers are. The choice is kept in the settings file as it changes, and is where the next
// start begins.
class PrinterChoice : public QObject
{
    Q_OBJECT

public:
    PrinterChoice(QComboBox &box, PrinterSystem &printers, Dialogs &dialogs, QObject *parent);

    // Fills in the printers and chooses the one the settings name, or else the default printer.
    // Raises the printer system's error when the printers can't be listed or the default can't be
    // read (the printers are still offered then), and "Invalid property value" for a stored
    // position outside the list.
    void loadPrinterList();

    bool saveAsPdfChosen() const;
    // The printer whose papers the pages are laid out on: the chosen one, or with "Save as PDF…"
    // the default printer (none without one).
    QString paperPrinter() const;
    // Where a new run's pages go, as the box says: the printer chosen, or with "Save as PDF…" the
    // folder the user chooses now. None when the user cancels, or when no printer is chosen,
    // which the user is told.
    std::optional<PageTarget> chosenTarget(PdfFolderChoice &pdfFolder) const;

private:
    void rememberChosenPrinter();

    QComboBox &m_box;
    PrinterSystem &m_printers;
    Dialogs &m_dialogs;
};
