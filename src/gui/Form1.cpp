#include "gui/Form1.h"

#include "gui/DefaultPrinter.h"
#include "gui/LiteralProgressBar.h"
#include "gui/OnlineWarning.h"
#include "gui/PictureButton.h"
#include "gui/PointerPicture.h"
#include "gui/Skin.h"
#include "gui/Twips.h"
#include "gui/UrlListSelection.h"
#include "printers/PrinterSystem.h"
#include "printing/WebBrowserControl.h"
#include "runtime/AppPaths.h"
#include "runtime/AppTitle.h"
#include "runtime/ErrorTrap.h"
#include "runtime/ProgramLifetime.h"
#include "runtime/RuntimeError.h"
#include "runtime/StartupSeams.h"
#include "urllist/UrlListModel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

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

// The list's key handler works with the classic virtual-key codes (46 is Delete).
int virtualKeyCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Insert:
        return 45;
    default:
        break;
    }
    if ((event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) ||
        (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z))
        return event.key();
    return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}
} // namespace

Form1::Form1(const Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_services(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    createControls();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    setFixedSize(twips(8040), twips(7050));
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

    Frame2 = makeFrame("Frame2", QStringLiteral("Pause For This Amount Of Seconds Between Prints"),
                       twipsRect(120, 5115, 7800, 795));
    Text2 = new QLineEdit(Frame2);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(twipsRect(225, 300, 4380, 345));
    Text2->setAccessibleName(QStringLiteral("Pause between prints, in seconds"));
    PushButton10 =
        makeButton("PushButton10", QStringLiteral("What's this feature?"), Frame2, twipsRect(4800, 300, 2760, 345));
    PushButton13 = makeButton("PushButton13", QStringLiteral("Help"), this, twipsRect(120, 120, 7800, 405));

    Frame1 = makeFrame("Frame1", QStringLiteral("Select Printer"), twipsRect(120, 4245, 7800, 800));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(240, 300, 7320, 345));
    Combo1->setAccessibleName(QStringLiteral("Printer"));

    // Lies below the client area: pages load and print out of the user's sight.
    WebBrowser1 = new WebBrowserControl(*m_services.printers, this);
    WebBrowser1->setGeometry(twipsRect(120, 7515, 1215, 975));

    m_urlList = new UrlListModel(this);
    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(twipsRect(120, 630, 6840, 2535));
    ListView1->setAccessibleName(QStringLiteral("Addresses to print"));
    ListView1->setModel(m_urlList);
    UrlListSelection::install(*ListView1, *m_urlList);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setItemsExpandable(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setDragDropMode(QAbstractItemView::NoDragDrop);
    ListView1->setAcceptDrops(false);
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->header()->setStretchLastSection(false);
    ListView1->setFont(arialBold(9));
    ListView1->setToolTip(QLatin1String(kListToolTip));
    ListView1->viewport()->setMouseTracking(true);

    ProgressBar1 = new LiteralProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(twipsRect(120, 6540, 7800, 405));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setFormat(QStringLiteral("Progress Bar"));
    ProgressBar1->setAlignment(Qt::AlignCenter);
    ProgressBar1->setTextVisible(true);

    PushButton3 = new PictureButton(QStringLiteral("Move Up"), QIcon(QStringLiteral(":/buttons/move-up.svg")), this);
    PushButton3->setObjectName(QStringLiteral("PushButton3"));
    PushButton5 =
        new PictureButton(QStringLiteral("Move Down"), QIcon(QStringLiteral(":/buttons/move-down.svg")), this);
    PushButton5->setObjectName(QStringLiteral("PushButton5"));
    for (auto [button, geometry] : {std::pair{PushButton3, twipsRect(7080, 630, 840, 1200)},
                                    std::pair{PushButton5, twipsRect(7080, 1950, 840, 1200)}}) {
        button->setFont(buttonFont);
        button->setGeometry(geometry);
        button->setMouseTracking(true);
    }

    PushButton1 = makeButton("PushButton1", QStringLiteral("Add URL"), this, twipsRect(120, 3255, 3840, 405));
    PushButton6 =
        makeButton("PushButton6", QStringLiteral("Load List Of URLs"), this, twipsRect(4080, 3255, 3840, 405));
    PushButton7 = makeButton("PushButton7", QStringLiteral("Clear List"), this, twipsRect(120, 3765, 3840, 405));
    PushButton2 =
        makeButton("PushButton2", QStringLiteral("Start Printing Web Sites"), this, twipsRect(120, 6015, 7800, 405));
    PushButton9 =
        makeButton("PushButton9", QStringLiteral("Load Sample/Example Files"), this, twipsRect(4080, 3765, 3840, 405));

    // Tab order follows the window's reading order rather than creation order.
    setTabOrder(PushButton13, ListView1);
    setTabOrder(ListView1, PushButton3);
    setTabOrder(PushButton3, PushButton5);
    setTabOrder(PushButton5, PushButton1);
    setTabOrder(PushButton1, PushButton6);
    setTabOrder(PushButton6, PushButton7);
    setTabOrder(PushButton7, PushButton9);
    setTabOrder(PushButton9, Combo1);
    setTabOrder(Combo1, Text2);
    setTabOrder(Text2, PushButton10);
    setTabOrder(PushButton10, PushButton2);
}

void Form1::connectHandlers()
{
    const std::pair<QPushButton *, void (Form1::*)()> clicks[] = {
        {PushButton1, &Form1::PushButton1_Click},   {PushButton2, &Form1::PushButton2_Click},
        {PushButton3, &Form1::PushButton3_Click},   {PushButton5, &Form1::PushButton5_Click},
        {PushButton6, &Form1::PushButton6_Click},   {PushButton7, &Form1::PushButton7_Click},
        {PushButton9, &Form1::PushButton9_Click},   {PushButton10, &Form1::PushButton10_Click},
        {PushButton13, &Form1::PushButton13_Click},
    };
    for (const auto &[button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, handler);
        button->installEventFilter(this);
    }
    Frame1->installEventFilter(this);
    Frame2->installEventFilter(this);
    installEventFilter(this);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form1::Combo1_Click);

    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);
    connect(ListView1, &QAbstractItemView::pressed, this, &Form1::ListView1_ItemClick);
}

void Form1::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        Form_Load();
        if (programEnding())
            return;
        if (!parentWidget())
            move(screen()->availableGeometry().center() - rect().center());
    }
    QWidget::setVisible(visible);
}

void Form1::Form_Load()
{
    m_loaded = true;
    // A default printer that an earlier run could not put back (the program was killed, say) is put
    // back first, before any start-up message can keep the user waiting.
    RecoverDefaultPrinter(*m_services.printers, *m_services.dialogs);
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.Form_Load"));
    trap.line(100, [&] { ApplySkin(*this); });
    trap.line(104, [&] { CheckOnline(*m_services.dialogs); });
    const QString cursorFile = shippedFilePath(QStringLiteral("/HAND-M.CUR"));
    if (trap.test(106, [&] { return FileExists(cursorFile); }))
        trap.line(108, [&] { MouseIcon = loadPointerPicture(cursorFile); });
    trap.line(110, [&] {
        if (m_services.random->drawOneToHundred() == kHomePageDraw)
            m_services.opener->open(QUrl(QLatin1String(kMakerHomePage)));
    });
    trap.line(
        128, [&] { setWindowTitle(QLatin1String(kProductName)); },
        [&] { setWindowIcon(QIcon(QStringLiteral(":/icons/quillbrae.svg"))); }, [&] { SetAppTitle(); });
    trap.line(130, [&] { m_urlList->addColumn(QStringLiteral("URL(s)")); });
    trap.line(132, [&] {
        if (m_urlList->columnCount() < 1)
            throw RuntimeError(35600, QStringLiteral("Index out of bounds"));
        ListView1->setColumnWidth(0, twips(6700));
    });
    trap.line(134, [&] { LoadPrinterList(); });
}

void Form1::setMousePointer(int value)
{
    m_mousePointer = value;
    switch (value) {
    case kBusyPointer:
        setCursor(Qt::WaitCursor);
        break;
    case kCustomPointer:
        if (MouseIcon)
            setCursor(*MouseIcon);
        else
            unsetCursor();
        break;
    default:
        unsetCursor();
        break;
    }
}

void Form1::PushButton_MouseMove()
{
    if (MousePointer() != kBusyPointer)
        setMousePointer(kCustomPointer);
}

void Form1::Form_MouseMove()
{
    if (MousePointer() != kBusyPointer)
        setMousePointer(kDefaultPointer);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1 || watched == ListView1->viewport())
        return listViewEvent(watched, event);
    if (event->type() == QEvent::MouseMove) {
        if (qobject_cast<QPushButton *>(watched)) {
            PushButton_MouseMove();
            // A button ignores moves with no button held, which would pass them on to the window
            // background and undo the hand at once.
            if (static_cast<const QMouseEvent &>(*event).buttons() == Qt::NoButton)
                return true;
        } else if (watched == this || watched == Frame1 || watched == Frame2) {
            Form_MouseMove();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1::listViewEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == ListView1) {
            const auto &key = static_cast<const QKeyEvent &>(*event);
            ListView1_KeyDown(virtualKeyCode(key), shiftState(key.modifiers()));
        }
        break; // the key still goes on to the list
    case QEvent::MouseButtonPress:
        if (watched == ListView1->viewport())
            ListView1_MouseDown();
        break;
    case QEvent::MouseMove:
        if (watched == ListView1->viewport()) {
            const QPoint position = static_cast<const QMouseEvent &>(*event).position().toPoint();
            ListView1_MouseMove(position.x(), position.y());
            // A drag reorders the rows itself: the view's own drag selection and scrolling stay out.
            if (DragActive)
                return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == ListView1->viewport())
            ListView1_MouseUp();
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == ListView1->viewport()) {
            ListView1_DblClick();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload()
{
    restoreDefaultPrinterOfInterruptedRun();
    beginProgramEnd();
}
