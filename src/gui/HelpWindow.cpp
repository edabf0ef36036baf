#include "gui/HelpWindow.h"

#include "gui/Skin.h"
#include "runtime/AppTitle.h"
#include "runtime/ErrorTrap.h"
#include "runtime/RuntimeError.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>

namespace {
constexpr int kPictureWidth = 524;
constexpr int kPictureHeight = 344;
constexpr int kListHeight = 120;
} // namespace

HelpWindow::HelpWindow(Dialogs &dialogs, QWidget *parent) : QWidget(parent, Qt::Window), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setGeometry(0, 0, kPictureWidth, kPictureHeight);
    m_steps = new QListWidget(this);
    m_steps->setObjectName(QStringLiteral("List1"));
    m_steps->setGeometry(0, kPictureHeight, kPictureWidth, kListHeight);
    m_steps->setWordWrap(true);
    setFixedSize(kPictureWidth, kPictureHeight + kListHeight);

    loadWindow();
}

void HelpWindow::loadWindow()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form2.Form_Load"));
    trap.line(100, [&] { useButtonFaceColours(*this); });
    trap.line(
        102, [&] { setWindowTitle(QLatin1String(kProductName)); },
        [&] { setWindowIcon(QIcon(QStringLiteral(":/icons/quillbrae.svg"))); },
        [&] {
            const QPixmap picture(QStringLiteral(":/help/script-error.png"));
            if (picture.isNull())
                throw RuntimeError(ErrorNumber::InvalidPicture, QStringLiteral("Invalid picture"));
            m_picture->setPixmap(picture);
        });
    const char *const lines[] = {
        "If you are receiving the above error message when working with this software, follow this:",
        "",
        "Open the Internet Explorer.",
        "Click Tools, and then Options.",
        "Click on the Advance tab.",
        "Under Browsing, select the Disable Script Debugging check box.",
        "Click OK to close all windows, and restart the computer.",
    };
    int number = 106;
    for (const char *text : lines) {
        trap.line(number, [&] { m_steps->addItem(QLatin1String(text)); });
        number += 2;
    }
}

QStringList HelpWindow::steps() const
{
    QStringList rows;
    for (int row = 0; row < m_steps->count(); ++row)
        rows << m_steps->item(row)->text();
    return rows;
}
