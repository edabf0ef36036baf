#include "browser/RequestWatch.h"

void RequestWatch::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    // The browser asks for a page's icon by itself once the page has loaded: that is none of the
    // page's loading.
    if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeFavicon)
        return;
    // Called on the thread the page lives on, the program's own.
    m_lastRequest.start();
}

std::chrono::milliseconds RequestWatch::sinceLastRequest() const
{
    if (!m_lastRequest.isValid())
        return std::chrono::milliseconds::max();
    return std::chrono::milliseconds(m_lastRequest.elapsed());
}
