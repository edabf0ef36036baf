#include "gui/MainWindow.h"

#include "browser/BrowserPool.h"
#include "browser/PageBrowser.h"
#include "gui/AddressListCommands.h"
#include "gui/AddressListGestures.h"
#include "gui/DefaultPrinter.h"
#include "gui/LiteralProgressBar.h"
#include "gui/LoginWindowOpener.h"
#include "gui/OnlineWarning.h"
#include "gui/PageSetupChoice.h"
#include "gui/PdfFolderChoice.h"
#include "gui/PictureButton.h"
#include "gui/PointerPicture.h"
#include "gui/PrinterChoice.h"
#include "gui/RunDefaultPrinter.h"
#include "gui/RunReporter.h"
#include "gui/Skin.h"
#include "gui/Twips.h"
#include "gui/UrlListSelection.h"
#include "gui/WindowPointer.h"
#include "printers/PrinterSystem.h"
#include "run/RunEvents.h"
#include "run/RunPages.h"
#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/StartupSeams.h"
#include "urllist/UrlListModel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include <functional>

namespace {
constexpr auto kMakerHomePage = "https://www.orvandel.com/";
constexpr int kHomePageDraw = 7;
constexpr auto kListToolTip = "Drag and drop files here. Double-click item to remove it. Move | line to right and "
                              "out of window to reveal full names.";

QFont arialBold(qreal pointSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace

MainWindow::MainWindow(const Services &services, QWebEngineProfile *profile, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    m_logins = std::make_unique<LoginWindowOpener>(*this, *m_services.dialogs, m_services.keyring,
                                                   [this] { return m_printRunning; });
    createControls(profile);
    createParts();
    connectHandlers();
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls(QWebEngineProfile *profile)
{
    setFixedSize(twips(8040), twips(7560));
    setFont(arialBold(9));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
    setMouseTracking(true);

    const QFont buttonFont = arialBold(11.25);
    auto makeButton = [&](const char *name, const QString &caption, QWidget *parentWidget, QRect geometry) {
        auto *button = new QPushButton(caption, parentWidget);
        button->setObjectName(QLatin1String(name));
        button->setFont(buttonFont);
        button->setGeometry(geometry);
        button->setMouseTracking(true);
        return button;
    };
    auto makeFrame = [&](const char *name, const QString &caption, QRect geometry) {
        auto *frame = new QGroupBox(caption, this);
        frame->setObjectName(QLatin1String(name));
        frame->setGeometry(geometry);
        frame->setMouseTracking(true);
        return frame;
    };

    m_pauseFrame = makeFrame("Frame2", QStringLiteral("Pause For This Amount Of Seconds Between Prints"),
                             twipsRect(120, 5115, 7800, 795));
    m_pauseBox = new QLineEdit(m_pauseFrame);
    m_pauseBox->setObjectName(QStringLiteral("Text2"));
    m_pauseBox->setGeometry(twipsRect(225, 300, 4380, 345));
    m_pauseBox->setAccessibleName(QStringLiteral("Pause between prints, in seconds"));
    m_pauseHelpButton = makeButton("PushButton10", QStringLiteral("What's this feature?"), m_pauseFrame,
                                   twipsRect(4800, 300, 2760, 345));
    m_helpButton = makeButton("PushButton13", QStringLiteral("Help"), this, twipsRect(120, 120, 7800, 405));

    m_printerFrame = makeFrame("Frame1", QStringLiteral("Select Printer"), twipsRect(120, 4245, 7800, 800));
    m_printerBox = new QComboBox(m_printerFrame);
    m_printerBox->setObjectName(QStringLiteral("Combo1"));
    m_printerBox->setGeometry(twipsRect(240, 300, 7320, 345));
    m_printerBox->setAccessibleName(QStringLiteral("Printer"));

    // Lies below the client area: pages load and print out of the user's sight, at a screen's
    // size all the same.
    m_browsers = std::make_unique<BrowserPool>(profile, &m_logins->logins(), this);
    m_browsers->browser(0);
    m_runEvents = new RunEvents(this);
    m_runEvents->setObjectName(QStringLiteral("RunEvents"));

    m_urlList = new UrlListModel(this);
    m_addressList = new QTreeView(this);
    m_addressList->setObjectName(QStringLiteral("ListView1"));
    m_addressList->setGeometry(twipsRect(120, 630, 6840, 2535));
    m_addressList->setAccessibleName(QStringLiteral("Addresses to print"));
    m_addressList->setModel(m_urlList);
    UrlListSelection::install(*m_addressList, *m_urlList);
    m_addressList->setRootIsDecorated(false);
    m_addressList->setUniformRowHeights(true);
    m_addressList->setItemsExpandable(false);
    m_addressList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_addressList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_addressList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_addressList->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_addressList->setAcceptDrops(false);
    m_addressList->setTextElideMode(Qt::ElideNone);
    m_addressList->header()->setStretchLastSection(false);
    m_addressList->setFont(arialBold(9));
    m_addressList->setToolTip(QLatin1String(kListToolTip));
    m_addressList->viewport()->setMouseTracking(true);

    m_progressBar = new LiteralProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(twipsRect(120, 6540, 7800, 405));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setFormat(QStringLiteral("Progress Bar"));
    m_progressBar->setAlignment(Qt::AlignCenter);
    m_progressBar->setTextVisible(true);

    m_moveUpButton = new PictureButton(QStringLiteral("Move Up"), QIcon(QStringLiteral(":/buttons/move-up.svg")), this);
    m_moveUpButton->setObjectName(QStringLiteral("PushButton3"));
    m_moveDownButton =
        new PictureButton(QStringLiteral("Move Down"), QIcon(QStringLiteral(":/buttons/move-down.svg")), this);
    m_moveDownButton->setObjectName(QStringLiteral("PushButton5"));
    for (auto [button, geometry] : {std::pair{m_moveUpButton, twipsRect(7080, 630, 840, 1200)},
                                    std::pair{m_moveDownButton, twipsRect(7080, 1950, 840, 1200)}}) {
        button->setFont(buttonFont);
        button->setGeometry(geometry);
        button->setMouseTracking(true);
    }

    m_addButton = makeButton("PushButton1", QStringLiteral("Add URL"), this, twipsRect(120, 3255, 3840, 405));
    m_loadListButton =
        makeButton("PushButton6", QStringLiteral("Load List Of URLs"), this, twipsRect(4080, 3255, 3840, 405));
    m_clearButton = makeButton("PushButton7", QStringLiteral("Clear List"), this, twipsRect(120, 3765, 3840, 405));
    m_startButton =
        makeButton("PushButton2", QStringLiteral("Start Printing Web Sites"), this, twipsRect(120, 6015, 7800, 405));
    m_samplesButton =
        makeButton("PushButton9", QStringLiteral("Load Sample/Example Files"), this, twipsRect(4080, 3765, 3840, 405));
    m_pageSetupButton =
        makeButton("PageSetupButton", QStringLiteral("Page Setup…"), this, twipsRect(120, 7050, 3840, 405));
    m_loginButton =
        makeButton("LoginButton", QStringLiteral("Log In to a Site…"), this, twipsRect(4080, 7050, 3840, 405));

    // Tab order follows the window's reading order rather than creation order.
    setTabOrder(m_helpButton, m_addressList);
    setTabOrder(m_addressList, m_moveUpButton);
    setTabOrder(m_moveUpButton, m_moveDownButton);
    setTabOrder(m_moveDownButton, m_addButton);
    setTabOrder(m_addButton, m_loadListButton);
    setTabOrder(m_loadListButton, m_clearButton);
    setTabOrder(m_clearButton, m_samplesButton);
    setTabOrder(m_samplesButton, m_printerBox);
    setTabOrder(m_printerBox, m_pauseBox);
    setTabOrder(m_pauseBox, m_pauseHelpButton);
    setTabOrder(m_pauseHelpButton, m_startButton);
    setTabOrder(m_startButton, m_pageSetupButton);
    setTabOrder(m_pageSetupButton, m_loginButton);
}

void MainWindow::createParts()
{
    Dialogs &dialogs = *m_services.dialogs;
    PrinterSystem &printers = *m_services.printers;
    m_pointer = new WindowPointer(*this);
    m_listCommands = new AddressListCommands(*m_urlList, *m_addressList, dialogs, *m_pointer, this);
    new AddressListGestures(*m_addressList, *m_urlList, *m_pointer, *m_listCommands, this);
    m_printerChoice = new PrinterChoice(*m_printerBox, printers, dialogs, this);
    m_pdfFolder = std::make_unique<PdfFolderChoice>(dialogs);
    m_pageSetup = std::make_unique<PageSetupChoice>(*this, printers, dialogs, *m_printerChoice, *m_pointer);
    m_runDefault = std::make_unique<RunDefaultPrinter>(printers, dialogs);
    m_runReporter =
        new RunReporter(*this, [this](const RunPages &pages, const PageTarget &target) { printRows(pages, target); });
}

void MainWindow::connectHandlers()
{
    AddressListCommands *list = m_listCommands;
    const std::pair<QPushButton *, std::function<void()>> clicks[] = {
        {m_addButton, [list] { list->addAddress(); }},
        {m_startButton, [this] { startPrinting(); }},
        {m_moveUpButton, [list] { list->moveAddressUp(); }},
        {m_moveDownButton, [list] { list->moveAddressDown(); }},
        {m_loadListButton, [list] { list->loadListFile(); }},
        {m_clearButton, [list] { list->clearList(); }},
        {m_samplesButton, [list] { list->addSampleAddresses(); }},
        {m_pauseHelpButton, [this] { explainPause(); }},
        {m_helpButton, [this] { showHelp(); }},
        {m_pageSetupButton, [this] { m_pageSetup->open(); }},
        {m_loginButton, [this] { m_logins->open(m_browsers->browser(0).profile()); }},
    };
    for (const auto &[button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, handler);
        m_pointer->watchButton(*button);
    }
    m_pointer->watchBackground(*m_printerFrame);
    m_pointer->watchBackground(*m_pauseFrame);
    m_pointer->watchBackground(*this);
}

void MainWindow::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        loadWindow();
        if (programEnding())
            return;
        if (!parentWidget())
            move(screen()->availableGeometry().center() - rect().center());
    }
    QWidget::setVisible(visible);
}

void MainWindow::loadWindow()
{
    m_loaded = true;
    // A default printer that an earlier run could not put back (the program was killed, say) is put
    // back first, before any start-up message can keep the user waiting.
    recoverDefaultPrinterOfEarlierRun(*m_services.printers, *m_services.dialogs);
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.Form_Load"));
    trap.line(100, [&] { applySkin(*this); });
    trap.line(104, [&] { warnIfOffline(*m_services.dialogs); });
    const QString cursorFile = shippedFilePath(QStringLiteral("/HAND-M.CUR"));
    if (trap.test(106, [&] { return fileExists(cursorFile); }))
        trap.line(108, [&] { m_pointer->setHand(loadPointerPicture(cursorFile)); });
    trap.line(110, [&] {
        if (m_services.random->drawOneToHundred() == kHomePageDraw)
            m_services.opener->open(QUrl(QLatin1String(kMakerHomePage)));
    });
    trap.line(
        128, [&] { setWindowTitle(QLatin1String(kProductName)); },
        [&] { setWindowIcon(QIcon(QStringLiteral(":/icons/quillbrae.svg"))); }, [&] { shortenApplicationTitle(); });
    trap.line(130, [&] { m_urlList->addColumn(QStringLiteral("URL(s)")); });
    trap.line(132, [&] { m_addressList->setColumnWidth(0, twips(6700)); });
    trap.line(134, [&] { m_printerChoice->loadPrinterList(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    unloadWindow();
}

void MainWindow::unloadWindow()
{
    // Closing the window in the middle of a print run still gives the user's default printer back.
    m_runDefault->putBackIfSwitched();
    beginProgramEnd();
}
