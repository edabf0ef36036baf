#pragma once

#include "runtime/StartupSeams.h"

#include <QList>
#include <QUrl>

// A draw that always gives the same number.
class FixedDraw : public RandomDraw
{
public:
    explicit FixedDraw(int drawn) : value(drawn) {}
    int drawOneToHundred() override { return value; }
    int value;
};

// Records the addresses it was asked to open instead of opening a browser.
class RecordingOpener : public UrlOpener
{
public:
    void open(const QUrl &address) override { opened.append(address); }
    QList<QUrl> opened;
};
