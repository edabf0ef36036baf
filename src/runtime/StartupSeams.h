#pragma once

#include <QUrl>

// The draw that decides, now and then at start-up, to open the maker's home page.
class RandomDraw
{
public:
    virtual ~RandomDraw() = default;
    // A whole number from 1 to 100.
    virtual int drawOneToHundred() = 0;
};

// Opens an address in the user's web browser without waiting for it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &address) = 0;
};

class TimeSeededDraw : public RandomDraw
{
public:
    int drawOneToHundred() override;
};

class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &address) override;
};
