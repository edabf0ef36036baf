#pragma once

#include "printers/JobOption.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <optional>

// A default printer that an earlier run switched and that could not be put back.
struct UnrestoredDefault
{
    QString printer; // the default before the switch; empty where there was none
    QString reason;
};

// A paper a printer takes: its name as the print server knows it (given as "media" to a job) and
// as the user reads it.
struct PaperSize
{
    QString name;
    QString displayName;
};

// The printers of the system, as the program sees them. One real implementation over CUPS;
// tests use it against a private print server or replace it.
class PrinterSystem
{
public:
    virtual ~PrinterSystem() = default;

    // Installed printers' names, in the order the print system lists them.
    virtual QStringList printerNames() = 0;
    // The current default printer's name; raises a RuntimeError when it cannot be read.
    virtual QString defaultPrinterName() = 0;
    // Makes the named printer the user's default for a print run, once what putting the default
    // back needs is kept; raises a RuntimeError when it cannot, a RestoreRecordError when it will
    // not because it could not keep that. Switching to the default as it stands changes nothing.
    virtual void switchDefault(const QString &name) = 0;
    // Puts back the default as the first switch found it; nothing to do when none was made.
    virtual void restoreDefault() = 0;
    // Puts back a default printer that an earlier run switched and could not put back (the program
    // was killed, say); nothing to do for a print system that never leaves one behind. What could
    // not be put back, if anything: it is not tried again, so it is reported once.
    virtual std::optional<UnrestoredDefault> recoverInterruptedSwitch() { return std::nullopt; }

    // The page layout the named printer prints web pages with when the user has chosen nothing
    // else: its default paper, the orientation the user saved for it, margins it can print. Never
    // fails: A4 portrait when the printer is unknown or cannot be asked.
    virtual QPageLayout defaultPageLayout(const QString &printer) = 0;
    // The papers the named printer offers, in its own order; none when it is unknown or cannot be
    // asked.
    virtual QList<PaperSize> paperSizes(const QString & /*printer*/) { return {}; }
    // The layout for the paper the named printer knows by that name (its own, such as
    // "iso_a4_210x297mm", or a common one, such as "A4" or "Letter"), upright, with the margins
    // the printer needs; nothing when the printer does not know the paper.
    virtual std::optional<QPageLayout> paperLayout(const QString & /*printer*/, const QString & /*paper*/)
    {
        return std::nullopt;
    }
    // Hands a PDF document to the named printer as one job with the given title, the options the
    // user saved for that printer and the given ones, which win over those; the job's id once
    // accepted. The document is laid out already: orientation options are left out. Raises a
    // printer RuntimeError when the printer refuses it or cannot be reached; nothing of a refused
    // job prints.
    virtual int submitPdfJob(const QString &printer, const QString &title, const QByteArray &pdf,
                             const JobOptions &options) = 0;
};

// Whether two printer names denote the same printer: the print server ignores case in them.
inline bool sameDestination(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
