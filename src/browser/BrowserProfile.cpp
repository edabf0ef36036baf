#include "browser/BrowserProfile.h"

#include <QStandardPaths>
#include <QWebEngineProfile>

namespace {
QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
} // namespace

BrowserProfile::BrowserProfile(Kind kind)
{
    if (kind == Kind::Private) {
        // A profile without a storage name keeps everything in memory.
        m_profile = std::make_unique<QWebEngineProfile>();
        return;
    }
    m_profile = std::make_unique<QWebEngineProfile>(QStringLiteral("Default"));
    m_profile->setPersistentStoragePath(storageFolder());
    m_profile->setCachePath(cacheFolder());
    m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    // Intranet logins mostly end with the browser's session: kept all the same, they serve the next
    // run too.
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
}

BrowserProfile::~BrowserProfile() = default;

QString BrowserProfile::storageFolder()
{
    return dataFolder() + QStringLiteral("/browser");
}

QString BrowserProfile::cacheFolder()
{
    return dataFolder() + QStringLiteral("/browser-cache");
}
