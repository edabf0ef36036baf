#pragma once

#include "printing/PageDestination.h"

#include <QList>
#include <QString>

class UrlListModel;

// A page a run is asked to print again, with its place in the list of the run it came from: the
// files a run saves are numbered by that place, and a page saved again sorts beside its first try.
struct RepeatedPage
{
    QString address;
    ListPlace place;
};

// The rows a print run goes through, numbered from 1: the window's list, read afresh at each step
// (rows can be added or dragged during a run), or a fixed set of pages to print again.
class RunRows
{
public:
    explicit RunRows(const UrlListModel &list) : m_list(&list) {}
    explicit RunRows(QList<RepeatedPage> pages) : m_pages(std::move(pages)) {}

    int count() const;
    QString text(int row) const;
    // Where the row stands, in a run over rows 1 to lastRow.
    ListPlace place(int row, int lastRow) const;
    // The address the run prints after the row: the next row that is not blank, up to lastRow;
    // none after the last.
    QString nextAddress(int row, int lastRow) const;

private:
    const UrlListModel *m_list = nullptr;
    QList<RepeatedPage> m_pages;
};
