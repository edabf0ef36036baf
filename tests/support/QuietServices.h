#pragma once

#include "gui/RealServices.h"
#include "printers/PrinterSystem.h"
#include "support/FakeDialogs.h"
#include "support/FakeStartup.h"

// A print system with no printers and no default, that takes every switch silently.
class NoPrinters : public PrinterSystem
{
public:
    QStringList printerNames() override { return {}; }
    QString defaultPrinterName() override { return {}; }
    void setDefaultPrinter(const QString &) override {}
};

// The main window's outside world for tests and benchmarks: the given dialogs answer, the given
// draw decides about the home page and the given opener stands in for the browser; the printers
// are the real ones (the private print server under test) unless others are given.
inline Services quietServices(FakeDialogs &dialogs, RandomDraw &draw, UrlOpener &opener,
                              PrinterSystem *printers = nullptr)
{
    Services services = realServices();
    services.dialogs = &dialogs;
    services.random = &draw;
    services.opener = &opener;
    if (printers)
        services.printers = printers;
    return services;
}
