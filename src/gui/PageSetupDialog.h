#pragma once

#include "run/PageSetup.h"

#include <QDialog>

class PrinterSystem;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

// The page setup of the window's print runs: header and footer, scale, backgrounds, and what the
// printer is asked for. It opens with the saved setup; OK saves what the fields show, Cancel
// leaves the saved one as it was.
class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    // The papers offered are those of the named printer.
    PageSetupDialog(PrinterSystem &printers, const QString &printer, QWidget *parent = nullptr);

    // The setup as the fields stand.
    PageSetup pageSetup() const;

    void accept() override;

private:
    void createFields(PrinterSystem &printers, const QString &printer);
    void showSetup();

    // What the dialog opened with; it keeps whatever the dialog has no field for.
    PageSetup m_saved;
    QLineEdit *m_header = nullptr;
    QLineEdit *m_footer = nullptr;
    QCheckBox *m_fitWidePages = nullptr;
    QCheckBox *m_backgrounds = nullptr;
    QComboBox *m_paper = nullptr;
    QComboBox *m_orientation = nullptr;
    QSpinBox *m_copies = nullptr;
    QComboBox *m_sides = nullptr;
    QSpinBox *m_pagesInFlight = nullptr;
    QCheckBox *m_lazyLoad = nullptr;
    QLineEdit *m_waitFor = nullptr;
    QDoubleSpinBox *m_delay = nullptr;
    QCheckBox *m_leaveOutOverlays = nullptr;
    QLineEdit *m_onlyElement = nullptr;
    // The delay as the box showed it on opening: the box rounds what it shows.
    double m_shownDelay = 0;
};
