#pragma once

#include <QPushButton>

// A tall push button that shows its picture above a caption wrapped to the button's width.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString &caption, const QIcon &picture, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
