#pragma once

#include "printers/JobOption.h"
#include "runtime/ShownText.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// Where a row stands in the run's list: files named after it sort as the list does.
struct ListPlace
{
    int position = 1; // from 1
    int count = 1;    // the list's length
};

// One page rendered for the run, with what each destination names it by.
struct RenderedPage
{
    QByteArray pdf;
    QString ownTitle; // the page's own title; empty when it has none
    QString address;  // the address as the list gave it
    QUrl shownUrl;    // where the page the browser shows came from
    ListPlace place;
    JobOptions jobOptions; // what a printer is asked for besides the page; a file has no use for them

    // The page's title, or its address when it has none: what a job or a bookmark is called.
    QString titleOrAddress() const
    {
        if (!ownTitle.isEmpty())
            return ownTitle;
        return address.isEmpty() ? shownUrl.toString(QUrl::RemovePassword) : shownAddress(address);
    }
};

// What a destination made of a page: a printer's job, or a file.
struct Delivery
{
    std::optional<int> job;
    QString printer;
    QString file; // the file's absolute path
    // The page is only kept for the file, which is written once the run is over: it is saved then,
    // or not at all.
    bool pending = false;
};

// Where a run's rendered pages go. The browser hands each page it renders to the one it is given.
class PageDestination
{
public:
    virtual ~PageDestination() = default;

    // The printer whose papers lay the sheets out, by name; empty: none, and the sheets take the
    // fallback paper. Raises a printer RuntimeError where the destination can't do without one.
    virtual QString sheetPrinter() const = 0;
    // Takes one page; raises a printer RuntimeError when it can't, and then nothing of it is kept.
    virtual Delivery deliver(const RenderedPage &page) = 0;
};
