#include "printing/RequestWatch.h"

void RequestWatch::interceptRequest(QWebEngineUrlRequestInfo &)
{
    // Called on the thread the page lives on, the program's own.
    m_lastRequest.start();
}

std::chrono::milliseconds RequestWatch::sinceLastRequest() const
{
    if (!m_lastRequest.isValid())
        return std::chrono::milliseconds::max();
    return std::chrono::milliseconds(m_lastRequest.elapsed());
}
