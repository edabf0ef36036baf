#include "gui/DefaultPrinter.h"

#include "printers/PrinterSystem.h"
#include "printers/RestoreRecordError.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/RuntimeError.h"

namespace {
constexpr auto kLineBreak = "\r\n";
constexpr auto kRoutine = "modPrinters.GetDefaultPrinter";
constexpr auto kCannotSet = "Cannot set printer.";

void tellNotSwitched(Dialogs &dialogs, const QString &printer, const RestoreRecordError &error)
{
    dialogs.message(QStringLiteral("The default printer is not switched for this run: the program cannot save what "
                                   "it needs to put your default printer back afterwards.\n%1\nThe pages still go "
                                   "to the chosen printer, %2.")
                        .arg(error.description(), printer),
                    applicationTitle(), Dialogs::Icon::None);
}
} // namespace

QString GetDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs)
{
    QString name;
    try {
        name = printers.defaultPrinterName();
    } catch (const RuntimeError &error) {
        const QString text = QStringLiteral("Error No: ") + QString::number(error.number()) +
                             QLatin1String(kLineBreak) + error.description() + QLatin1String(kLineBreak) +
                             QStringLiteral("Has occured in ") + QLatin1String(kRoutine) + QLatin1String(kLineBreak) +
                             QStringLiteral("Please contact Technical Support");
        dialogs.message(text, applicationTitle(), Dialogs::Icon::None);
    }
    return name;
}

bool MakeDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs, const QString &name, bool showError,
                        bool *toldNotSwitched)
{
    try {
        printers.switchDefault(name);
        return true;
    } catch (const std::exception &error) {
        // Whatever went wrong, the caller learns only that the switch did not happen; a run's user
        // learns why the default stays where the program would not switch it.
        const auto *notRecorded = dynamic_cast<const RestoreRecordError *>(&error);
        if (notRecorded && toldNotSwitched) {
            if (!*toldNotSwitched)
                tellNotSwitched(dialogs, name, *notRecorded);
            *toldNotSwitched = true;
        } else if (showError) {
            dialogs.message(QLatin1String(kCannotSet), applicationTitle(), Dialogs::Icon::None);
        }
        return false;
    }
}

void RestoreDefaultPrinter(PrinterSystem &printers)
{
    try {
        printers.restoreDefault();
    } catch (const std::exception &) {
        // The record stays: the next start puts the default back from it.
    }
}

void RecoverDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs)
{
    const std::optional<UnrestoredDefault> unrestored = printers.recoverInterruptedSwitch();
    if (!unrestored)
        return;
    const QString printer = unrestored->printer.isEmpty()
                                ? QStringLiteral("Your default printer")
                                : QStringLiteral("Your default printer, %1,").arg(unrestored->printer);
    dialogs.message(printer + QStringLiteral(" could not be put back after an earlier print run that was cut "
                                             "short:\n%1\nPlease choose your default printer again.")
                                  .arg(unrestored->reason),
                    applicationTitle(), Dialogs::Icon::None);
}
