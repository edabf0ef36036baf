#pragma once

#include "gui/RealServices.h"
#include "printers/PrinterSystem.h"
#include "runtime/RuntimeError.h"
#include "support/FakeDialogs.h"
#include "support/FakeStartup.h"

// A print system with no printers and no default, that takes every switch silently and refuses
// every job.
class NoPrinters : public PrinterSystem
{
public:
    QStringList printerNames() override { return {}; }
    QString defaultPrinterName() override { return {}; }
    void switchDefault(const QString &) override {}
    void restoreDefault() override {}
    QPageLayout defaultPageLayout(const QString &) override { return {}; }
    int submitPdfJob(const QString &, const QString &, const QByteArray &, const JobOptions &) override
    {
        throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("There are no printers."));
    }
};

// The main window's outside world for tests and benchmarks: the given dialogs answer, the given
// draw decides about the home page and the given opener stands in for the browser; the printers
// are the real ones (the private print server under test) unless others are given. There is no
// keyring: the user's own is never reached.
inline Services quietServices(FakeDialogs &dialogs, RandomDraw &draw, UrlOpener &opener,
                              PrinterSystem *printers = nullptr)
{
    Services services = realServices();
    services.dialogs = &dialogs;
    services.random = &draw;
    services.opener = &opener;
    services.keyring = nullptr;
    if (printers)
        services.printers = printers;
    return services;
}
