#pragma once

#include "run/BrowserControl.h"
#include "run/PagePrinter.h"

#include <QStringList>

#include <functional>

// Stands in for the embedded browser and the run's hand-over of its pages: writes every call to a
// log shared with the test, and reports complete once its readiness rule says so.
class FakeBrowser : public BrowserControl, public PageRun
{
public:
    explicit FakeBrowser(QStringList &log) : m_log(log) {}

    void loadAddress(const QString &address) override;
    void loadAhead(const QStringList &addresses) override;
    bool loadComplete() override;
    LoadOutcome loadOutcome() const override { return {}; }
    Holding holding() override { return Holding::Page; }
    QString finishPage(const WaitRules &, QDeadlineTimer) override { return finishError; }
    RenderedPage renderForPrinting(const SheetRequest &sheets) override;
    void setUpSheets() override;
    SheetRequest sheetRequest() override { return {}; }
    Delivery handOver(RenderedPage page, const ListPlace &place) override;

    // Decides whether the page is complete at each test; at once unless a test says otherwise.
    std::function<bool(int test)> readiness = [](int) { return true; };
    // Failures to raise, by member.
    bool failLoad = false;
    bool failHandOver = false;
    // The address whose page can't be rendered: it is given up, as one that hangs its renderer is.
    QString failRenderOf;
    // What finishing the page gives: why it is not ready, or nothing.
    QString finishError;
    int completeTests = 0;

private:
    QStringList &m_log;
    QString m_address;
};
