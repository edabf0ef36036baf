#include "gui/DefaultPrinter.h"

#include "printers/PrinterSystem.h"
#include "printers/RestoreRecordError.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/RuntimeError.h"

namespace {
constexpr auto kLineBreak = "\r\n";
// The location the message names, as it always has.
constexpr auto kRoutine = "modPrinters.GetDefaultPrinter";
} // namespace

void tellIfDefaultPrinterUnreadable(PrinterSystem &printers, Dialogs &dialogs)
{
    try {
        printers.defaultPrinterName();
    } catch (const RuntimeError &error) {
        const QString text = QStringLiteral("Error No: ") + QString::number(error.number()) +
                             QLatin1String(kLineBreak) + error.description() + QLatin1String(kLineBreak) +
                             QStringLiteral("Has occured in ") + QLatin1String(kRoutine) + QLatin1String(kLineBreak) +
                             QStringLiteral("Please contact Technical Support");
        dialogs.message(text, applicationTitle(), Dialogs::Icon::None);
    }
}

DefaultPrinterSwitch makeDefaultPrinter(PrinterSystem &printers, const QString &name)
{
    DefaultPrinterSwitch result;
    try {
        printers.switchDefault(name);
        result.switched = true;
    } catch (const RestoreRecordError &error) {
        result.recordNotKept = error;
    } catch (const std::exception &) {
        // Whatever else went wrong, the caller learns only that the switch did not happen.
    }
    return result;
}

void tellDefaultNotSwitched(Dialogs &dialogs, const QString &printer, const RestoreRecordError &why)
{
    dialogs.message(QStringLiteral("The default printer is not switched for this run: the program cannot save what "
                                   "it needs to put your default printer back afterwards.\n%1\nThe pages still go "
                                   "to the chosen printer, %2.")
                        .arg(why.description(), printer),
                    applicationTitle(), Dialogs::Icon::None);
}

void restoreSwitchedDefaultPrinter(PrinterSystem &printers)
{
    try {
        printers.restoreDefault();
    } catch (const std::exception &) {
        // The record stays: the next start puts the default back from it.
    }
}

void recoverDefaultPrinterOfEarlierRun(PrinterSystem &printers, Dialogs &dialogs)
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
