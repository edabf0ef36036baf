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

    void Navigate(const QString &address) override;
    int ReadyState() override;
    void ExecWB(int command, int option) override;

    // Decides the ready state at each test; complete at once unless a test says otherwise.
    std::function<int(int test)> readiness = [](int) { return kReadyStateComplete; };
    // Failures to raise, by member.
    bool failNavigate = false;
    bool failPrint = false;
    int readyStateTests = 0;

private:
    QStringList &m_log;
};
