#include "gui/Form2.h"

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
constexpr int kInvalidPicture = 481;
} // namespace

Form2::Form2(Dialogs &dialogs, QWidget *parent) : QWidget(parent, Qt::Window), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kPictureWidth, kPictureHeight);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(0, kPictureHeight, kPictureWidth, kListHeight);
    List1->setWordWrap(true);
    setFixedSize(kPictureWidth, kPictureHeight + kListHeight);

    Form_Load();
}

void Form2::Form_Load()
{
    ErrorTrap trap(m_dialogs, QStringLiteral("Form2.Form_Load"));
    trap.line(100, [&] { SetFaceColours(*this); });
    trap.line(
        102, [&] { setWindowTitle(QLatin1String(kProductName)); },
        [&] { setWindowIcon(QIcon(QStringLiteral(":/icons/quillbrae.svg"))); },
        [&] {
            const QPixmap picture(QStringLiteral(":/help/script-error.png"));
            if (picture.isNull())
                throw RuntimeError(kInvalidPicture, QStringLiteral("Invalid picture"));
            Image1->setPixmap(picture);
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
        trap.line(number, [&] { List1->addItem(QLatin1String(text)); });
        number += 2;
    }
}
