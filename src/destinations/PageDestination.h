#pragma once

#include "printers/JobOption.h"
#include "sheets/RenderedPage.h"

#include <QString>

#include <optional>

// Where a row stands in the run's list: files named after it sort as the list does.
struct ListPlace
{
    int position = 1; // from 1
    int count = 1;    // the list's length
};

// A rendered page as a run hands it to its destination.
struct PageToDeliver
{
    RenderedPage page;
    ListPlace place;
    JobOptions jobOptions; // what a printer is asked for besides the page; a file has no use for them
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

// Where a run's rendered pages go: the run hands each page to the one its target makes.
class PageDestination
{
public:
    virtual ~PageDestination() = default;

    // The printer whose papers lay the sheets out, by name; empty: none, and the sheets take the
    // fallback paper. Raises a printer RuntimeError where the destination can't do without one.
    virtual QString sheetPrinter() const = 0;
    // Takes one page; raises a printer RuntimeError when it can't, and then nothing of it is kept.
    virtual Delivery deliver(const PageToDeliver &page) = 0;
};
