#pragma once

#include <QWebEnginePage>

// A page that prints unattended: script dialogs don't stop it (an alert is dismissed, a question
// answered "no") and script console messages are dropped instead of written to the terminal. Its
// document can be held: while it is, the page can't leave it for another (a refresh, a script
// that moves it), so that what is being printed stays whole.
class QuietWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

    void holdDocument(bool hold) { m_documentHeld = hold; }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &message, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    bool m_documentHeld = false;
};
