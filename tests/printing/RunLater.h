#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

// Runs an action once from the event loop, the given time after it is made, unless it is gone by
// then: how a test makes something happen while the code under test waits.
class RunLater
{
public:
    RunLater(std::chrono::milliseconds delay, std::function<void()> action);

private:
    QTimer m_timer;
    std::function<void()> m_action;
};
