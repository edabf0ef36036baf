#pragma once

#include "gui/RealServices.h"

#include <QCursor>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <optional>

class Form2;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class UrlListModel;
class WebBrowserControl;

// The main window. Controls keep the names of the window design and are the window's own: only its
// handlers work on them. Tests and benchmarks find a control by its object name, which is its
// design name. Handlers are named control_event.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(const Services &services = realServices(), QWidget *parent = nullptr);
    ~Form1() override;

    // Showing the window loads it first, once: Form_Load runs before it is first visible.
    void setVisible(bool visible) override;

    // The busy marker and pointer: 0 arrow, 11 hourglass (a print run), 99 the hand (MouseIcon).
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int value);
    static constexpr int kDefaultPointer = 0;
    static constexpr int kBusyPointer = 11;
    static constexpr int kCustomPointer = 99;

    const Services &services() const { return m_services; }

    UrlListModel *urlList() const { return m_urlList; }
    // The hand pointer that start-up loaded, if it could.
    const std::optional<QCursor> &mouseIcon() const { return MouseIcon; }
    // Whether a drag is reordering the list's rows.
    bool dragActive() const { return DragActive; }

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload();

    // Printer selection.
    void LoadPrinterList();
    void Combo1_Click();

    // URL list commands.
    void PushButton1_Click();
    void PushButton7_Click();
    void PushButton9_Click();
    void PushButton6_Click();
    void PushButton3_Click();
    void PushButton5_Click();
    void ListView1_DblClick();
    void ListView1_KeyDown(int keyCode, int shift);

    // Drag reordering of the list.
    void ListView1_ItemClick();
    void ListView1_MouseDown();
    void ListView1_MouseMove(int x, int y);
    void ListView1_MouseUp();

    // The print run.
    void PushButton2_Click();

    // Help.
    void PushButton10_Click();
    void PushButton13_Click();

    // Pointer convention: over a push button, and over the background or a frame.
    void PushButton_MouseMove();
    void Form_MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Controls, in the window's design order.
    QGroupBox *Frame2 = nullptr;
    QLineEdit *Text2 = nullptr;
    QPushButton *PushButton10 = nullptr;
    QPushButton *PushButton13 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *Combo1 = nullptr;
    WebBrowserControl *WebBrowser1 = nullptr;
    QTreeView *ListView1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *PushButton3 = nullptr;
    QPushButton *PushButton5 = nullptr;
    QPushButton *PushButton1 = nullptr;
    QPushButton *PushButton6 = nullptr;
    QPushButton *PushButton7 = nullptr;
    QPushButton *PushButton2 = nullptr;
    QPushButton *PushButton9 = nullptr;

    std::optional<QCursor> MouseIcon;

    // Drag reordering state, shared by the list's mouse handlers only.
    bool DragActive = false;
    QPersistentModelIndex DragItem;
    QPersistentModelIndex HitItem;

    void createControls();
    void connectHandlers();
    bool listViewEvent(QObject *watched, QEvent *event);
    // Closing the window in the middle of a print run still gives the user's default printer back.
    void restoreDefaultPrinterOfInterruptedRun();

    Services m_services;
    UrlListModel *m_urlList = nullptr;
    QPointer<Form2> m_helpWindow;
    int m_mousePointer = kDefaultPointer;
    bool m_loaded = false;
    // The print run going on, if any, and the default printer it found and must put back.
    bool m_printRunning = false;
    std::optional<QString> m_defaultPrinterBeforeRun;
    // Whether the user has been told why a run leaves the default printer as it is.
    bool m_toldDefaultNotSwitched = false;
};
