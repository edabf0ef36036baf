#pragma once

#include "destinations/PageTarget.h"
#include "gui/RealServices.h"
#include "gui/RunReportWindow.h"

#include <QCursor>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class HelpWindow;
class LoginBrowserWindow;
class QWebEngineProfile;
class RunDefaultPrinter;
class WindowLogins;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class UrlListModel;
class BrowserPool;
class RunEvents;

// The main window. Its controls are its own: only its handlers work on them. Tests and benchmarks
// find a control by its object name, which is the name of the window's original design ("Combo1",
// "PushButton2"), as are the locations its error reports name.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // Pages load in the profile given (see BrowserProfile), or without one in the browser's default
    // profile, which keeps nothing.
    explicit MainWindow(const Services &services = realServices(), QWebEngineProfile *profile = nullptr,
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    // Showing the window loads it first, once: loadWindow runs before it is first visible.
    void setVisible(bool visible) override;

    // The window's pointer, which is also the busy marker: the hourglass lasts as long as a print
    // run, and the commands that remove or move rows do nothing meanwhile. The values are those of
    // the original design's pointer numbers.
    enum class Pointer { Arrow = 0, Busy = 11, Hand = 99 };
    Pointer pointer() const { return m_pointer; }
    void setPointer(Pointer pointer);

    const Services &services() const { return m_services; }

    UrlListModel *urlList() const { return m_urlList; }
    // The hand pointer that start-up loaded, if it could.
    const std::optional<QCursor> &handPointer() const { return m_handPointer; }
    // Whether a drag is reordering the list's rows.
    bool dragActive() const { return m_dragging; }

    // Start-up and shutdown.
    void loadWindow();
    void unloadWindow();

    // Printer selection. The list's last entry is "Save as PDF…", there before the printers are.
    void loadPrinterList();
    void rememberChosenPrinter();
    bool saveAsPdfChosen() const;
    // The printer whose papers the pages are laid out on: the chosen one, or with "Save as PDF…"
    // the default printer (none without one).
    QString paperPrinter() const;

    // URL list commands.
    void addAddress();
    void clearList();
    void addSampleAddresses();
    void loadListFile();
    void moveAddressUp();
    void moveAddressDown();
    void removeSelectedAddress();
    void listKeyPressed(Qt::Key key);

    // Drag reordering of the list.
    void pickUpAddress();
    void beginDrag();
    void dragOver(int x, int y);
    void endDrag();

    // The print run, and the page setup it prints with.
    void startPrinting();
    // Prints pages of the last run again, where that run printed them (its report offers it).
    void printAgain(const QList<RepeatedPage> &pages);
    void openPageSetup();
    // Opens the login window, or brings the one open to the front: one at a time.
    void openLoginWindow();

    // Help.
    void explainPause();
    void showHelp();

    // Pointer convention: over a push button, and over the background or a frame.
    void pointerOverButton();
    void pointerOverBackground();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Controls, in the window's design order.
    QGroupBox *m_pauseFrame = nullptr;
    QLineEdit *m_pauseBox = nullptr;
    QPushButton *m_pauseHelpButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    QGroupBox *m_printerFrame = nullptr;
    QComboBox *m_printerBox = nullptr;
    // The browsers the runs print with, out of sight below the client area: the first,
    // "WebBrowser1", is there from the start; more are made as runs keep pages in flight.
    std::unique_ptr<BrowserPool> m_browsers;
    // What the runs tell of their pages as they go, for those who follow them.
    RunEvents *m_runEvents = nullptr;
    // The answers to a site's request for a login, for the runs and the login window.
    std::unique_ptr<WindowLogins> m_logins;
    QPointer<LoginBrowserWindow> m_loginWindow;
    QTreeView *m_addressList = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QPushButton *m_moveUpButton = nullptr;
    QPushButton *m_moveDownButton = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_loadListButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_samplesButton = nullptr;
    QPushButton *m_pageSetupButton = nullptr;
    QPushButton *m_loginButton = nullptr;

    std::optional<QCursor> m_handPointer;

    // Drag reordering state, shared by the list's mouse handlers only.
    bool m_dragging = false;
    QPersistentModelIndex m_draggedRow;
    QPersistentModelIndex m_rowUnderPointer;

    void createControls(QWebEngineProfile *profile);
    void addSaveAsPdfEntry();
    // Where a new run's pages go, as the window says: the printer chosen, or with "Save as PDF…" a
    // folder the user chooses now (the last one offered). None when the user cancels, or when no
    // printer is chosen, which the user is told.
    std::optional<PageTarget> chosenTarget();
    // The folder offered for the next run's files.
    void rememberPdfFolder(const QString &folder);
    // Prints the rows on the chosen printer, or saves them in a folder chosen now; pages printed
    // again go where their first run went.
    void printRows(const RunPages &rows, const std::optional<PageTarget> &again);
    void showRunReport(const QList<RunReportWindow::Entry> &entries, int pageCount, bool savedFiles);
    void connectHandlers();
    bool listViewEvent(QObject *watched, QEvent *event);

    Services m_services;
    UrlListModel *m_urlList = nullptr;
    QPointer<HelpWindow> m_helpWindow;
    // The last run's report, while it is open, and where that run went.
    QPointer<RunReportWindow> m_runReport;
    std::optional<PageTarget> m_lastRunTarget;
    Pointer m_pointer = Pointer::Arrow;
    bool m_loaded = false;
    // Whether a print run goes on.
    bool m_printRunning = false;
    // The user's default printer around the runs.
    std::unique_ptr<RunDefaultPrinter> m_runDefault;
};
