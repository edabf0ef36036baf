#include "gui/Form1.h"

#include "printers/PrinterPosition.h"
#include "printers/PrinterSystem.h"
#include "runtime/RuntimeError.h"
#include "runtime/Settings.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <optional>

namespace {
constexpr auto kPositionSetting = "Combo1";
} // namespace

void Form1::LoadPrinterList()
{
    PrinterSystem &printers = *m_services.printers;
    // The list comes first: a print system that cannot be reached ends the start-up's printer steps
    // here with one report, rather than being waited for a second time.
    const QStringList names = printers.printerNames();
    QString defaultName;
    std::optional<RuntimeError> defaultUnreadable;
    try {
        defaultName = printers.defaultPrinterName();
    } catch (const RuntimeError &error) {
        defaultUnreadable = error;
    }

    {
        // Filling the list chooses nothing: only the steps below select, and store, a position.
        const QSignalBlocker quiet(Combo1);
        Combo1->addItems(names);
        Combo1->setCurrentIndex(-1);
    }

    const QString stored = Settings::read(QLatin1String(kPositionSetting));
    if (stored.isEmpty()) {
        if (!defaultName.isEmpty())
            Combo1->setCurrentIndex(Combo1->findText(defaultName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (Combo1->count() > 0) {
        const int position = storedPrinterPosition(stored);
        // -1 is a valid position: no printer chosen.
        if (position < -1 || position >= Combo1->count())
            throw RuntimeError(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value"));
        Combo1->setCurrentIndex(position);
    }

    // Without a default the printers are still offered, so the user can pick one; that the default
    // could not be read is reported all the same.
    if (defaultUnreadable)
        throw *defaultUnreadable;
}

void Form1::Combo1_Click()
{
    Settings::write(QLatin1String(kPositionSetting), QString::number(Combo1->currentIndex()));
}
