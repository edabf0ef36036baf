#include "browser/QuietWebPage.h"

bool QuietWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (m_documentHeld && isMainFrame)
        return false;
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

void QuietWebPage::javaScriptAlert(const QUrl &, const QString &)
{}

bool QuietWebPage::javaScriptConfirm(const QUrl &, const QString &)
{
    return false;
}

bool QuietWebPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    return false;
}

void QuietWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &)
{}
