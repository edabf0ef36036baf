#pragma once

#include "browser/LoginSource.h"

#include <QSet>

#include <chrono>
#include <functional>
#include <memory>

// A run from the command line answers a site's request for a login from the user's ~/.netrc, as
// curl and wget do, and only once: nobody is there to type another password.
//
// The file is read once, as the run starts, on a thread of its own: a home folder on a network
// share that hangs holds up that thread, not the pages. A login asked for before the file is read
// waits for it, with the run's events going on, at most as long as a page may load.
class NetrcLogins : public LoginSource
{
public:
    // `warn` is told, once, what is wrong with the file: others may read it, or it could not be
    // read in time.
    NetrcLogins(std::chrono::milliseconds longestWait, std::function<void(const QString &)> warn);
    ~NetrcLogins() override;
    NetrcLogins(const NetrcLogins &) = delete;
    NetrcLogins &operator=(const NetrcLogins &) = delete;

    std::optional<LoginCredentials> credentials(const LoginChallenge &challenge) override;
    QString origin() const override { return QStringLiteral("~/.netrc"); }

private:
    void warnOnce(const QString &warning);

    struct Reading;
    std::shared_ptr<Reading> m_reading;
    std::chrono::milliseconds m_longestWait;
    std::function<void(const QString &)> m_warn;
    QSet<QString> m_warned;
};
