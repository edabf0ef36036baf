#pragma once

#include <QStringList>
#include <QWidget>

class Dialogs;
class QLabel;
class QListWidget;

// The help window: a picture of the embedded browser's script-error dialog in front of the main
// window, and the steps that stop such dialogs from interrupting a print run.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(Dialogs &dialogs, QWidget *parent = nullptr);

    void loadWindow();

    // The steps, one a row, as the user reads them.
    QStringList steps() const;
    const QLabel &picture() const { return *m_picture; }

private:
    QLabel *m_picture = nullptr;
    QListWidget *m_steps = nullptr;
    Dialogs &m_dialogs;
};
