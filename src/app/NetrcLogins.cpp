#include "app/NetrcLogins.h"

#include "connectivity/Netrc.h"
#include "runtime/EventSleep.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <mutex>
#include <thread>

// What the reading thread and the run share: the thread may outlive the run, stuck in the system.
struct NetrcLogins::Reading
{
    std::mutex mutex;
    bool done = false;
    std::optional<NetrcFile> file;
};

NetrcLogins::NetrcLogins(std::chrono::milliseconds longestWait, std::function<void(const QString &)> warn)
    : m_reading(std::make_shared<Reading>()), m_longestWait(longestWait), m_warn(std::move(warn))
{
    std::thread([reading = m_reading] {
        std::optional<NetrcFile> file = readUserNetrc();
        const std::lock_guard<std::mutex> lock(reading->mutex);
        reading->file = std::move(file);
        reading->done = true;
    }).detach();
}

NetrcLogins::~NetrcLogins() = default;

std::optional<LoginCredentials> NetrcLogins::credentials(const LoginChallenge &challenge)
{
    if (challenge.refused > 0)
        return std::nullopt;
    const auto done = [this] {
        const std::lock_guard<std::mutex> lock(m_reading->mutex);
        return m_reading->done;
    };
    // The thread can't wake the event loop; a look now and then does, while the page's own events go on.
    QTimer look;
    look.start(std::chrono::milliseconds(20));
    if (!sleepUntil(done, QDeadlineTimer(m_longestWait, Qt::PreciseTimer))) {
        warnOnce(QStringLiteral("~/.netrc could not be read in time; no login is taken from it."));
        return std::nullopt;
    }
    const std::lock_guard<std::mutex> lock(m_reading->mutex);
    if (!m_reading->file)
        return std::nullopt;
    if (m_reading->file->othersCanRead)
        warnOnce(QStringLiteral("~/.netrc holds passwords, but other users can read it: chmod 600 ~/.netrc"));
    const std::optional<NetrcLogin> login = netrcLogin(m_reading->file->text, challenge.url.host());
    if (!login)
        return std::nullopt;
    return LoginCredentials{login->login, login->password};
}

void NetrcLogins::warnOnce(const QString &warning)
{
    if (!m_warned.contains(warning))
        m_warn(warning);
    m_warned.insert(warning);
}
