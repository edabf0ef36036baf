#include "app/ProgramIdentity.h"

#include "app/ProgramInfo.h"
#include "runtime/AppTitle.h"

#include <QGuiApplication>

void setProgramIdentity()
{
    // The settings store names the same maker and program itself, so these don't move it: it stays
    // in ~/.config/Orvandel/Quillbrae.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("Orvandel"));
    QCoreApplication::setApplicationName(QLatin1String(kProductName));
    QCoreApplication::setApplicationVersion(QLatin1String(kProgramVersion));
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopId));
}
