#include "gui/DefaultPrinter.h"

#include "printers/PrinterSystem.h"
#include "runtime/AppTitle.h"
#include "runtime/Dialogs.h"
#include "runtime/RuntimeError.h"

namespace {
constexpr auto kLineBreak = "\r\n";
constexpr auto kRoutine = "modPrinters.GetDefaultPrinter";
constexpr auto kCannotSet = "Cannot set printer.";
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

bool MakeDefaultPrinter(PrinterSystem &printers, Dialogs &dialogs, const QString &name, bool showError)
{
    try {
        printers.setDefaultPrinter(name);
        return true;
    } catch (const std::exception &) {
        // Whatever went wrong, the caller learns only that the switch did not happen.
        if (showError)
            dialogs.message(QLatin1String(kCannotSet), applicationTitle(), Dialogs::Icon::None);
        return false;
    }
}
