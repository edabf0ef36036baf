#include "gui/PageSetupDialog.h"

#include "printers/PrinterSystem.h"
#include "run/StoredSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// Room for a template of a few fields without scrolling.
constexpr int kTemplateFieldWidth = 340;
// The orientation box's data for "as the printer is set up"; the others are QPageLayout's values.
constexpr int kPrinterOrientation = -1;

const QString kPrinterDefault = QStringLiteral("Printer's default");

// Selects the item whose data is the value. A value the box doesn't offer, such as a paper saved
// for another printer, is added as it is written, so that OK without a change keeps it.
void selectValue(QComboBox &box, const QString &value)
{
    int index = box.findData(value);
    if (index < 0) {
        box.addItem(value, value);
        index = box.count() - 1;
    }
    box.setCurrentIndex(index);
}
} // namespace

PageSetupDialog::PageSetupDialog(PrinterSystem &printers, const QString &printer, QWidget *parent)
    : QDialog(parent), m_saved(savedPageSetup())
{
    setObjectName(QStringLiteral("PageSetupDialog"));
    setWindowTitle(QStringLiteral("Page Setup"));
    createFields(printers, printer);
    showSetup();
}

void PageSetupDialog::createFields(PrinterSystem &printers, const QString &printer)
{
    auto named = [](QWidget *field, const char *name) {
        field->setObjectName(QLatin1String(name));
        return field;
    };
    m_header = new QLineEdit(this);
    m_footer = new QLineEdit(this);
    for (QLineEdit *line : {m_header, m_footer}) {
        line->setMinimumWidth(kTemplateFieldWidth);
        line->setClearButtonEnabled(true);
    }
    auto *fieldsHelp = new QLabel(QStringLiteral("Fields: {title}, {url}, {date}, {time}, {page}, {pages}\n"
                                                 "A \"|\" splits a line into left | centre | right parts."),
                                  this);
    QPalette helpColours = fieldsHelp->palette();
    helpColours.setColor(QPalette::WindowText, helpColours.color(QPalette::PlaceholderText));
    fieldsHelp->setPalette(helpColours);

    m_fitWidePages = new QCheckBox(QStringLiteral("F&it wide pages to the paper"), this);
    m_backgrounds = new QCheckBox(QStringLiteral("Print &backgrounds"), this);
    m_pagesInFlight = new QSpinBox(this);
    m_pagesInFlight->setRange(1, kMostPagesInFlight);
    m_pagesInFlight->setSizePolicy(QSizePolicy::Fixed, m_pagesInFlight->sizePolicy().verticalPolicy());
    m_pagesInFlight->setToolTip(QStringLiteral("How many pages load and get ready at once, the one printing among "
                                               "them. More help with a slow site; 1 is for a printer or site that "
                                               "needs one page at a time."));

    m_lazyLoad = new QCheckBox(QStringLiteral("Load content that appears on &scrolling"), this);
    m_lazyLoad->setToolTip(QStringLiteral("Scrolls through a page that has pictures or sections that load only as "
                                          "they come into view, so that they are printed too."));
    m_waitFor = new QLineEdit(this);
    m_waitFor->setClearButtonEnabled(true);
    m_waitFor->setPlaceholderText(QStringLiteral("none"));
    m_waitFor->setToolTip(QStringLiteral("Each page prints once an element matches this selector, such as "
                                         "#content or .chart svg. A page where none does in time counts as a "
                                         "failed load."));
    m_delay = new QDoubleSpinBox(this);
    m_delay->setRange(0, kLongestDelaySeconds);
    m_delay->setDecimals(1);
    m_delay->setSingleStep(0.5);
    m_delay->setSuffix(QStringLiteral(" seconds"));
    m_delay->setSizePolicy(QSizePolicy::Fixed, m_delay->sizePolicy().verticalPolicy());

    m_leaveOutOverlays = new QCheckBox(QStringLiteral("Leave out cookie &notices and pop-ups"), this);
    m_leaveOutOverlays->setToolTip(QStringLiteral("Leaves off the cookie and consent notices and pop-ups over a page "
                                                  "(nothing is clicked or accepted), prints a header pinned to the "
                                                  "screen once and leaves off small pinned buttons."));
    m_onlyElement = new QLineEdit(this);
    m_onlyElement->setClearButtonEnabled(true);
    m_onlyElement->setPlaceholderText(QStringLiteral("the whole page"));
    m_onlyElement->setToolTip(QStringLiteral("Prints only the elements that match this selector, such as article or "
                                             "#report. A page where none does prints whole and counts as a failed "
                                             "load."));

    m_paper = new QComboBox(this);
    m_paper->addItem(kPrinterDefault, QString());
    for (const PaperSize &paper : printers.paperSizes(printer))
        m_paper->addItem(paper.displayName, paper.name);

    m_orientation = new QComboBox(this);
    m_orientation->addItem(kPrinterDefault, kPrinterOrientation);
    m_orientation->addItem(QStringLiteral("Portrait"), static_cast<int>(QPageLayout::Portrait));
    m_orientation->addItem(QStringLiteral("Landscape"), static_cast<int>(QPageLayout::Landscape));

    m_sides = new QComboBox(this);
    m_sides->addItem(kPrinterDefault, QString());
    m_sides->addItem(QStringLiteral("One-sided"), QStringLiteral("one-sided"));
    m_sides->addItem(QStringLiteral("Two-sided, long edge"), QStringLiteral("two-sided-long-edge"));
    m_sides->addItem(QStringLiteral("Two-sided, short edge"), QStringLiteral("two-sided-short-edge"));

    m_copies = new QSpinBox(this);
    m_copies->setRange(1, kMostCopies);
    // A number of four digits at most: stretched across the form it would look like a text field.
    m_copies->setSizePolicy(QSizePolicy::Fixed, m_copies->sizePolicy().verticalPolicy());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Header:"), named(m_header, "Header"));
    form->addRow(QStringLiteral("&Footer:"), named(m_footer, "Footer"));
    form->addRow(QString(), fieldsHelp);
    form->addRow(QString(), named(m_fitWidePages, "FitWidePages"));
    form->addRow(QString(), named(m_backgrounds, "Backgrounds"));
    form->addRow(QStringLiteral("&Paper size:"), named(m_paper, "Paper"));
    form->addRow(QStringLiteral("&Orientation:"), named(m_orientation, "Orientation"));
    form->addRow(QStringLiteral("&Two-sided printing:"), named(m_sides, "Sides"));
    form->addRow(QStringLiteral("&Copies:"), named(m_copies, "Copies"));
    // How pages load and when they are ready, apart: its labels are long, and the sheet's short.
    auto *loading = new QGroupBox(QStringLiteral("Loading"), this);
    auto *loadingForm = new QFormLayout(loading);
    loadingForm->addRow(QStringLiteral("Pages &in flight:"), named(m_pagesInFlight, "PagesInFlight"));
    loadingForm->addRow(named(m_lazyLoad, "LazyLoad"));
    loadingForm->addRow(QStringLiteral("Wait for &element (CSS selector):"), named(m_waitFor, "WaitFor"));
    loadingForm->addRow(QStringLiteral("&Wait after the page is ready:"), named(m_delay, "Delay"));

    // What of each page reaches the sheets.
    auto *content = new QGroupBox(QStringLiteral("Page content"), this);
    auto *contentForm = new QFormLayout(content);
    contentForm->addRow(named(m_leaveOutOverlays, "LeaveOutOverlays"));
    contentForm->addRow(QStringLiteral("Print only the element (CSS se&lector):"), named(m_onlyElement, "OnlyElement"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PageSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PageSetupDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(loading);
    layout->addWidget(content);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PageSetupDialog::showSetup()
{
    m_header->setText(m_saved.header);
    m_footer->setText(m_saved.footer);
    m_fitWidePages->setChecked(!m_saved.scale);
    m_backgrounds->setChecked(m_saved.backgrounds);
    selectValue(*m_paper, m_saved.paper);
    m_orientation->setCurrentIndex(
        m_orientation->findData(m_saved.orientation ? static_cast<int>(*m_saved.orientation) : kPrinterOrientation));
    m_copies->setValue(m_saved.copies);
    selectValue(*m_sides, m_saved.sides);
    m_pagesInFlight->setValue(m_saved.pagesInFlight);
    m_lazyLoad->setChecked(m_saved.waitRules.lazyLoad);
    m_waitFor->setText(m_saved.waitRules.waitFor);
    m_delay->setValue(m_saved.waitRules.delaySeconds);
    m_shownDelay = m_delay->value();
    m_leaveOutOverlays->setChecked(!m_saved.waitRules.keepOverlays);
    m_onlyElement->setText(m_saved.waitRules.onlyElement);
}

PageSetup PageSetupDialog::pageSetup() const
{
    PageSetup setup = m_saved;
    setup.header = m_header->text();
    setup.footer = m_footer->text();
    // Unticked, a page prints at its own size, or at the scale saved before if there was one.
    setup.scale = m_fitWidePages->isChecked() ? std::nullopt : std::optional<double>(m_saved.scale.value_or(1.0));
    setup.backgrounds = m_backgrounds->isChecked();
    setup.paper = m_paper->currentData().toString();
    const int orientation = m_orientation->currentData().toInt();
    setup.orientation =
        orientation == kPrinterOrientation
            ? std::nullopt
            : std::optional<QPageLayout::Orientation>(static_cast<QPageLayout::Orientation>(orientation));
    setup.copies = m_copies->value();
    setup.sides = m_sides->currentData().toString();
    setup.pagesInFlight = m_pagesInFlight->value();
    setup.waitRules.lazyLoad = m_lazyLoad->isChecked();
    setup.waitRules.waitFor = m_waitFor->text().trimmed();
    setup.waitRules.keepOverlays = !m_leaveOutOverlays->isChecked();
    setup.waitRules.onlyElement = m_onlyElement->text().trimmed();
    // A delay the box could not show as it was (finer, or longer) stays as it was, unless changed.
    if (m_delay->value() != m_shownDelay)
        setup.waitRules.delaySeconds = m_delay->value();
    return setup;
}

void PageSetupDialog::accept()
{
    savePageSetup(pageSetup());
    QDialog::accept();
}
