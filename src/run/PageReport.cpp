#include "run/PageReport.h"

namespace {
QString delivery(const PageReport &report)
{
    const QString notDone = report.savesFiles() ? QStringLiteral("not saved") : QStringLiteral("not printed");
    switch (report.outcome) {
    case PageReport::Outcome::Printed:
        return report.savesFiles()
                   ? QStringLiteral("saved to \"%1\"").arg(report.file)
                   : QStringLiteral("printed (job %1-%2)").arg(report.printer, QString::number(report.job.value_or(0)));
    case PageReport::Outcome::Skipped:
        return QStringLiteral("skipped");
    case PageReport::Outcome::Failed:
        return report.printError.isEmpty() ? notDone : notDone + QStringLiteral(": ") + report.printError;
    case PageReport::Outcome::Refused:
        return report.savesFiles() ? notDone + QStringLiteral(": ") + report.printError
                                   : QStringLiteral("refused by the printer: ") + report.printError;
    case PageReport::Outcome::Kept:
        return QStringLiteral("kept for \"%1\"").arg(report.file);
    }
    return {};
}
} // namespace

QString PageReport::whatHappened() const
{
    const QString happened = delivery(*this);
    return loadError.isEmpty() ? happened : QStringLiteral("load failed: %1; %2").arg(loadError, happened);
}
