#pragma once

#include "printing/BrowserControl.h"

#include <QStringList>

#include <functional>

// Stands in for the embedded browser: writes every call to a log shared with the test, and
// reports complete once its readiness rule says so.
class FakeBrowser : public BrowserControl
{
public:
    explicit FakeBrowser(QStringList &log) : m_log(log) {}

    void loadAddress(const QString &address) override;
    bool loadComplete() override;
    LoadOutcome loadOutcome() const override { return {}; }
    Holding holding() override { return Holding::Page; }
    QString finishPage(const WaitRules &, QDeadlineTimer) override { return finishError; }
    void setUpPage() override;
    QByteArray renderForPrinting() override;
    Delivery handOver(const QByteArray &pdf, const ListPlace &place) override;

    // Decides whether the page is complete at each test; at once unless a test says otherwise.
    std::function<bool(int test)> readiness = [](int) { return true; };
    // Failures to raise, by member.
    bool failLoad = false;
    bool failHandOver = false;
    // What finishing the page gives: why it is not ready, or nothing.
    QString finishError;
    int completeTests = 0;

private:
    QStringList &m_log;
};
