#include "gui/MainWindow.h"

#include "gui/ListFileAdding.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"

namespace {} // namespace

void MainWindow::loadListFile()
{
    Dialogs &dialogs = *services().dialogs;
    ErrorTrap trap(dialogs, QStringLiteral("Form1.PushButton6_Click"));
    Dialogs::OpenFileRequest request;
    QString fileName;
    trap.line(100, [&] { fileName.clear(); });
    trap.line(102, [&] { request.multipleSelection = false; });
    trap.line(104, [&] { request.title = QStringLiteral("Add File(s) - Use Ctrl & Shift to select multiple files"); });
    trap.line(106, [&] {
        request.filters =
            QStringList{QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)"),
                        QStringLiteral("Sitemaps, feeds and bookmarks (*.xml *.gz *.rss *.atom *.html *.htm)")};
    });
    trap.line(108, [&] { fileName = dialogs.openFile(request); });
    if (trap.test(110, [&] { return fileName.isEmpty(); }))
        return;
    // The dialog lets the user choose one file only, so its answer is one name.
    trap.line(118, [&] { addListFile(*m_urlList, fileName, dialogs); });
}
