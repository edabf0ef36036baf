#pragma once

#include <QWidget>

class Dialogs;
class QLabel;
class QListWidget;

// The help window: a picture of the embedded browser's script-error dialog in front of the main
// window, and the steps that stop such dialogs from interrupting a print run.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(Dialogs &dialogs, QWidget *parent = nullptr);

    void Form_Load();

    QLabel *Image1 = nullptr;
    QListWidget *List1 = nullptr;

private:
    Dialogs &m_dialogs;
};
