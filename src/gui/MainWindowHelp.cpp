#include "gui/MainWindow.h"

#include "gui/HelpWindow.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/ErrorTrap.h"

namespace {
constexpr auto kPauseExplanation =
    "This feature will pause between sending sites to the printer so that the printer will receive print commands "
    "at an acceptable rate. The default is 5 seconds. If pages are missing or there are other problems with the "
    "printouts, try pausing for a longer period of time.";
}

void MainWindow::explainPause()
{
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.PushButton10_Click"));
    trap.line(100, [&] {
        m_services.dialogs->message(QLatin1String(kPauseExplanation), applicationTitle(), Dialogs::Icon::None);
    });
}

void MainWindow::showHelp()
{
    ErrorTrap trap(*m_services.dialogs, QStringLiteral("Form1.PushButton13_Click"));
    trap.line(100, [&] {
        // One help window at a time: a second click brings the open one forward.
        if (!m_helpWindow) {
            m_helpWindow = new HelpWindow(*m_services.dialogs, this);
            m_helpWindow->move(geometry().center() - m_helpWindow->rect().center());
        }
        m_helpWindow->show();
        m_helpWindow->raise();
        m_helpWindow->activateWindow();
    });
}
