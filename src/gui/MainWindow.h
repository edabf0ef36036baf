#pragma once

#include "destinations/PageTarget.h"
#include "gui/RealServices.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class AddressListCommands;
class BrowserPool;
class HelpWindow;
class LoginWindowOpener;
class PageSetupChoice;
class PdfFolderChoice;
class PrinterChoice;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class QWebEngineProfile;
class RunDefaultPrinter;
class RunEvents;
class RunPages;
class RunReporter;
class UrlListModel;
class WindowPointer;

// The main window: its controls, its start-up and shutdown, and its print runs. The rest is done
// by objects it owns and connects to its controls: the pointer and busy marker (WindowPointer,
// found by that object name), the list's commands and gestures (AddressListCommands,
// AddressListGestures), the printer box (PrinterChoice), the folder of a run's PDF files
// (PdfFolderChoice), the page setup (PageSetupChoice), the logins (LoginWindowOpener), the
// default printer around a run (RunDefaultPrinter) and the run's report (RunReporter).
//
// Tests and benchmarks drive it through its controls, found by their object names, which are the
// names of the window's original design ("Combo1", "PushButton2"), as are the locations its error
// reports name.
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

    // The list of addresses the runs print.
    UrlListModel *urlList() const { return m_urlList; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls(QWebEngineProfile *profile);
    // The objects that do the window's work, on its controls.
    void createParts();
    void connectHandlers();
    // Start-up and shutdown.
    void loadWindow();
    void unloadWindow();

    // The print run. A new one prints the list on the chosen printer, or saves it in a folder
    // chosen now; pages printed again go where their first run went.
    void startPrinting();
    void printRows(const RunPages &rows, const std::optional<PageTarget> &again);

    // Help.
    void explainPause();
    void showHelp();

    // Controls, in the window's design order.
    QGroupBox *m_pauseFrame = nullptr;
    QLineEdit *m_pauseBox = nullptr;
    QPushButton *m_pauseHelpButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    QGroupBox *m_printerFrame = nullptr;
    QComboBox *m_printerBox = nullptr;
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

    Services m_services;
    UrlListModel *m_urlList = nullptr;
    WindowPointer *m_pointer = nullptr;
    AddressListCommands *m_listCommands = nullptr;
    PrinterChoice *m_printerChoice = nullptr;
    std::unique_ptr<PdfFolderChoice> m_pdfFolder;
    std::unique_ptr<PageSetupChoice> m_pageSetup;
    // The browsers the runs print with, out of sight below the client area: the first,
    // "WebBrowser1", is there from the start; more are made as runs keep pages in flight.
    std::unique_ptr<BrowserPool> m_browsers;
    // The answers to a site's request for a login, for the runs and the login window.
    std::unique_ptr<LoginWindowOpener> m_logins;
    // What the runs tell of their pages as they go, for those who follow them.
    RunEvents *m_runEvents = nullptr;
    std::unique_ptr<RunDefaultPrinter> m_runDefault;
    RunReporter *m_runReporter = nullptr;
    QPointer<HelpWindow> m_helpWindow;
    bool m_loaded = false;
    // Whether a print run goes on.
    bool m_printRunning = false;
};
