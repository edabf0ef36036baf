#include "printers/KeptPrintQueue.h"

#include "printers/CupsConnection.h"
#include "printers/CupsDestinations.h"
#include "printers/PrinterSystem.h"

#include <new>

namespace {
// The print server closes a connection that has been idle for its keep-alive time, 30 seconds
// unless configured otherwise; one idle for longer than this is not used again. The pages of a
// run come much faster, and after a long pause a new connection costs nothing that counts.
constexpr std::chrono::seconds kLongestIdle{10};
} // namespace

KeptPrintQueue::KeptPrintQueue() = default;

KeptPrintQueue::~KeptPrintQueue()
{
    release();
}

void KeptPrintQueue::readyServer(std::chrono::milliseconds timeLimit)
{
    const auto now = std::chrono::steady_clock::now();
    if (m_stale.exchange(false)) {
        release();
        m_server.reset();
    } else if (now - m_lastUse > kLongestIdle) {
        m_server.reset();
    }
    m_lastUse = now;
    if (m_server)
        m_server->renewTimeLimit(timeLimit);
    else
        m_server = std::make_unique<CupsConnection>(timeLimit);
}

cups_dest_t *KeptPrintQueue::find(const QString &name, std::chrono::milliseconds timeLimit)
{
    readyServer(timeLimit);
    if (m_kept && !sameDestination(m_name, name))
        release();
    if (m_kept)
        return m_kept;
    const CupsDestinations destinations(*m_server);
    const cups_dest_t *found = destinations.find(name);
    if (!found)
        return nullptr;
    // The listing is freed with its object; the copy carries the options and attributes along.
    m_count = cupsCopyDest(const_cast<cups_dest_t *>(found), 0, &m_kept);
    if (!m_kept)
        throw std::bad_alloc();
    m_name = name;
    return m_kept;
}

cups_dinfo_t *KeptPrintQueue::details()
{
    if (!m_details && m_kept)
        m_details = cupsCopyDestInfo(m_server->http(), m_kept);
    return m_details;
}

void KeptPrintQueue::release()
{
    cupsFreeDestInfo(m_details);
    m_details = nullptr;
    cupsFreeDests(m_count, m_kept);
    m_kept = nullptr;
    m_count = 0;
    m_name.clear();
}
