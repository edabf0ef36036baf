#include "printers/KeptPrintQueue.h"

#include "printers/CupsDestinations.h"
#include "printers/PrinterSystem.h"

#include <new>

KeptPrintQueue::~KeptPrintQueue()
{
    release();
}

cups_dest_t *KeptPrintQueue::find(CupsConnection &server, const QString &name)
{
    if (m_stale.exchange(false) || (m_kept && !sameDestination(m_name, name)))
        release();
    if (m_kept)
        return m_kept;
    const CupsDestinations destinations(server);
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

void KeptPrintQueue::release()
{
    cupsFreeDests(m_count, m_kept);
    m_kept = nullptr;
    m_count = 0;
    m_name.clear();
}
