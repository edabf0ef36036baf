#include "gui/RunReportWindow.h"

#include "runtime/AppTitle.h"
#include "runtime/ShownText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kAddressColumnWidth = 280;
constexpr QSize kInitialSize{640, 280};
} // namespace

RunReportWindow::RunReportWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("RunReport"));
    setWindowTitle(QStringLiteral("%1: Print Report").arg(applicationTitle()));
    setAttribute(Qt::WA_DeleteOnClose);

    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_pages = new QTreeWidget(this);
    m_pages->setObjectName(QStringLiteral("ReportPages"));
    m_pages->setHeaderLabels({QStringLiteral("Address"), QStringLiteral("What happened")});
    m_pages->setRootIsDecorated(false);
    m_pages->setUniformRowHeights(true);
    m_pages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pages->setTextElideMode(Qt::ElideMiddle);
    m_pages->setColumnWidth(0, kAddressColumnWidth);
    m_pages->header()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(this);
    m_againButton = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_againButton->setObjectName(QStringLiteral("PrintAgainButton"));
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    connect(m_againButton, &QPushButton::clicked, this, [this] {
        const QList<RepeatedPage> pages = m_shown;
        // The list is stale once its pages are under way again; a new report follows that run.
        close();
        emit printAgain(pages);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    resize(kInitialSize);
}

void RunReportWindow::showRun(const QList<Entry> &entries, int pageCount, bool savesFiles)
{
    m_summary->setText(QStringLiteral("%1 of %2 pages did not %3 cleanly:")
                           .arg(QString::number(entries.size()), QString::number(pageCount),
                                savesFiles ? QStringLiteral("save") : QStringLiteral("print")));
    m_againButton->setText(savesFiles ? QStringLiteral("Save These Again") : QStringLiteral("Print These Again"));
    m_pages->clear();
    m_shown.clear();
    for (const Entry &entry : entries) {
        // The page is printed again from its address as given; only its password is never shown.
        const QString address = shownAddress(entry.page.address);
        auto *item = new QTreeWidgetItem(m_pages, {address, entry.whatHappened});
        item->setToolTip(0, address);
        item->setToolTip(1, entry.whatHappened);
        m_shown.append(entry.page);
    }
}
