#pragma once

#include "printing/BrowserControl.h"

#include <QPageLayout>
#include <QWebEngineView>

#include <optional>

class PrinterSystem;
class QWebEngineLoadingInfo;
class QWebEnginePage;

// The main window's embedded browser. Pages load in one page object that lives as long as the
// program, in the browser's default profile, which keeps nothing on disk. Printing renders the
// loaded page to PDF and hands it to the default printer's print queue.
class WebBrowserControl : public QWebEngineView, public BrowserControl
{
    Q_OBJECT

public:
    explicit WebBrowserControl(PrinterSystem &printers, QWidget *parent = nullptr);

    void Navigate(const QString &address) override;
    int ReadyState() override;
    void ExecWB(int command, int option) override;

    // The text last given to Navigate.
    QString navigatedAddress() const { return m_address; }
    // The layout that page setup chose for the following prints; none before the first page setup.
    std::optional<QPageLayout> pageSetup() const { return m_pageSetup; }

signals:
    // A page has been handed to the print server as job jobId of the named printer.
    void pagePrinted(int jobId, const QString &printer);
    // Sent to itself through the event queue, behind every load notification already waiting.
    void navigationMarker(quint64 navigation);

private:
    // What the browser is loading: the address given, or a page of its own explaining why that
    // address cannot be shown.
    enum class Navigation { Address, Explanation };

    QWebEnginePage *browserPage();
    QWebEnginePage *beginNavigation(Navigation kind);
    void explain(const QString &reason);
    void loadingChanged(const QWebEngineLoadingInfo &loading);
    void print();
    QString defaultPrinterOrNone() const;
    QString jobTitle() const;

    PrinterSystem &m_printers;
    QWebEnginePage *m_page = nullptr;
    QString m_address;
    std::optional<QPageLayout> m_pageSetup;
    bool m_printing = false;

    // Load notifications reach this object through the event queue, so one may still be on its way
    // from an earlier page when Navigate is called. Navigate therefore queues a marker behind
    // whatever is pending: only a load that finishes after the marker has come through counts.
    quint64 m_navigations = 0;
    Navigation m_navigation = Navigation::Address;
    bool m_markerArrived = false;
    bool m_finishedSinceMarker = false;
    int m_loadsUnderway = 0;
};
