#include "printing/RunLater.h"

#include <utility>

RunLater::RunLater(std::chrono::milliseconds delay, std::function<void()> action) : m_action(std::move(action))
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { m_action(); });
    m_timer.start(delay);
}
