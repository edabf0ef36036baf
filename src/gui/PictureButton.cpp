#include "gui/PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kPictureSize = 24;
constexpr int kMargin = 3;
} // namespace

PictureButton::PictureButton(const QString &caption, const QIcon &picture, QWidget *parent)
    : QPushButton(caption, parent)
{
    setIcon(picture);
    setIconSize(QSize(kPictureSize, kPictureSize));
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect area = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect pictureRect(area.center().x() - kPictureSize / 2, area.top() + kMargin, kPictureSize, kPictureSize);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, mode);

    const QRect captionRect(area.left(), pictureRect.bottom() + kMargin, area.width(),
                            area.bottom() - pictureRect.bottom() - kMargin);
    painter.drawItemText(captionRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}
