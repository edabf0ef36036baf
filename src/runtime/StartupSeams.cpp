#include "runtime/StartupSeams.h"

#include <QDesktopServices>
#include <QRandomGenerator>
#include <QTime>

int TimeSeededDraw::drawOneToHundred()
{
    QRandomGenerator generator(static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay()));
    return static_cast<int>(generator.generateDouble() * 100) + 1;
}

void DesktopUrlOpener::open(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}
