#pragma once

#include "runtime/ShownText.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// One page as the browser rendered it for print, with what names it.
struct RenderedPage
{
    QByteArray pdf;
    QString ownTitle; // the page's own title; empty when it has none
    QString address;  // the address as the list gave it
    QUrl shownUrl;    // where the page the browser shows came from
    int sheets = 0;   // how many sheets it prints on, once counted
    int leftOff = 0;  // how many notices, pop-ups and pinned buttons were left off it

    // The page's title, or its address when it has none: what a job, a bookmark or a header calls
    // it. Never with a password.
    QString titleOrAddress() const
    {
        if (!ownTitle.isEmpty())
            return ownTitle;
        return address.isEmpty() ? shownUrl.toString(QUrl::RemovePassword) : shownAddress(address);
    }
};
