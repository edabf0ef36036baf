#include "gui/RunRows.h"

#include "urllist/ListReader.h"
#include "urllist/UrlListModel.h"

int RunRows::count() const
{
    return m_list ? m_list->count() : static_cast<int>(m_pages.size());
}

QString RunRows::text(int row) const
{
    return m_list ? m_list->text(row) : m_pages.value(row - 1).address;
}

ListPlace RunRows::place(int row, int lastRow) const
{
    return m_list || row < 1 || row > m_pages.size() ? ListPlace{row, lastRow} : m_pages.at(row - 1).place;
}

QString RunRows::nextAddress(int row, int lastRow) const
{
    for (int next = row + 1; next <= lastRow && next <= count(); ++next)
        if (!isBlankRow(text(next)))
            return text(next);
    return {};
}
