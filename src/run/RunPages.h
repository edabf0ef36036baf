#pragma once

#include "destinations/PageDestination.h"

#include <QList>
#include <QString>
#include <QStringList>

class UrlListModel;

// A page a run is asked to print again, with its place in the list of the run it came from: the
// files a run saves are numbered by that place, and a page saved again sorts beside its first try.
struct RepeatedPage
{
    QString address;
    ListPlace place;
};

// The rows a print run goes through, numbered from 1: the window's list, read afresh at each step
// (rows can be added or dragged during a run), a fixed set of pages to print again, or the
// addresses of a list read on the command line.
class RunPages
{
public:
    explicit RunPages(const UrlListModel &list) : m_list(&list) {}
    explicit RunPages(QList<RepeatedPage> pages) : m_pages(std::move(pages)) {}
    explicit RunPages(const QStringList &addresses);

    int count() const;
    QString text(int row) const;
    // Where the row stands, in a run over rows 1 to lastRow.
    ListPlace place(int row, int lastRow) const;
    // The addresses the run prints after the row, up to `count` of them: the next rows that are not
    // blank, up to lastRow.
    QStringList nextAddresses(int row, int lastRow, int count) const;

private:
    const UrlListModel *m_list = nullptr;
    QList<RepeatedPage> m_pages;
};
