#include "run/RunPages.h"

#include "urllist/ListReader.h"
#include "urllist/UrlListModel.h"

int RunPages::count() const
{
    return m_list ? m_list->count() : static_cast<int>(m_pages.size());
}

QString RunPages::text(int row) const
{
    return m_list ? m_list->text(row) : m_pages.value(row - 1).address;
}

ListPlace RunPages::place(int row, int lastRow) const
{
    return m_list || row < 1 || row > m_pages.size() ? ListPlace{row, lastRow} : m_pages.at(row - 1).place;
}

RunPages::RunPages(const QStringList &addresses)
{
    for (qsizetype i = 0; i < addresses.size(); ++i)
        m_pages.append({addresses.at(i), {static_cast<int>(i + 1), static_cast<int>(addresses.size())}});
}

QStringList RunPages::nextAddresses(int row, int lastRow, int count) const
{
    QStringList addresses;
    for (int next = row + 1; next <= lastRow && next <= this->count() && addresses.size() < count; ++next)
        if (!isBlankRow(text(next)))
            addresses.append(text(next));
    return addresses;
}
