#pragma once

#include "gui/MainWindow.h"
#include "support/FakePing.h"
#include "support/QuietServices.h"

#include <QStringList>

#include <memory>

class QPushButton;
class QTreeView;
class UrlListModel;

// The main window shown on the test display with its outside world replaced, for driving the
// URL list as a user does: clicks, keys and mouse drags on the real list widget.
class ListWindow
{
public:
    ListWindow();
    ~ListWindow();
    ListWindow(const ListWindow &) = delete;
    ListWindow &operator=(const ListWindow &) = delete;

    MainWindow &form() { return *m_form; }
    QTreeView *listView();
    // One of the window's buttons, by its design name ("PushButton7").
    QPushButton *button(const char *name);
    UrlListModel &list();
    QStringList rows();
    void setRows(const QStringList &texts);
    // The 1-based position of the selected row; 0 when none is.
    int selectedPosition();
    void select(int position);
    bool listHasFocus();
    // Whether the row lies wholly inside the list's visible rows.
    bool rowVisible(int position);

    // The centre of a row, in the list viewport's coordinates.
    QPoint rowPoint(int position);
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton);
    void moveTo(QPoint point);
    void release(QPoint point, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(QPoint point);

    FakeDialogs dialogs;

private:
    FakePing m_ping{QLatin1String(kPingReply)};
    NoPrinters m_printers;
    FixedDraw m_draw{50};
    RecordingOpener m_opener;
    std::unique_ptr<MainWindow> m_form;
};
