#include "app/PageReport.h"

#include "runtime/ShownText.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString outcomeName(const PageReport &report)
{
    switch (report.outcome) {
    case PageReport::Outcome::Printed:
        return report.savesFiles() ? QStringLiteral("saved") : QStringLiteral("printed");
    case PageReport::Outcome::Skipped:
        return QStringLiteral("skipped");
    case PageReport::Outcome::Failed:
        return QStringLiteral("failed");
    case PageReport::Outcome::Refused:
        return QStringLiteral("refused");
    case PageReport::Outcome::Kept:
        return QStringLiteral("kept");
    }
    return {};
}
} // namespace

QString progressLine(const PageReport &report, int position, int count)
{
    return QStringLiteral("[%1/%2] %3 %4")
        .arg(position)
        .arg(count)
        .arg(shownAddress(report.address), report.whatHappened());
}

QString jsonLine(const PageReport &report)
{
    const QString error = !report.printError.isEmpty() ? report.printError : report.loadError;
    const QJsonObject object{
        {QStringLiteral("address"), shownAddress(report.address)},
        {QStringLiteral("outcome"), outcomeName(report)},
        {QStringLiteral("http_status"), report.httpStatus ? QJsonValue(*report.httpStatus) : QJsonValue()},
        {QStringLiteral("error"), error.isEmpty() ? QJsonValue() : QJsonValue(error)},
        {QStringLiteral("job"), report.job ? QJsonValue(*report.job) : QJsonValue()},
        {QStringLiteral("printer"), report.savesFiles() ? QJsonValue() : QJsonValue(report.printer)},
        {QStringLiteral("file"), report.file.isEmpty() ? QJsonValue() : QJsonValue(report.file)},
        {QStringLiteral("seconds"), report.seconds},
        {QStringLiteral("left_off"), report.leftOff},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

void RunSummary::add(const PageReport &report)
{
    ++m_counts[static_cast<int>(report.outcome)];
    if (report.outcome == PageReport::Outcome::Printed && !report.loadError.isEmpty())
        ++m_deliveredAfterFailedLoad;
    m_allClean = m_allClean && report.clean();
}

QString RunSummary::line() const
{
    // Error pages printed in place of the pages asked for are no pages that went well.
    const QString afterFailedLoad = m_deliveredAfterFailedLoad > 0
                                        ? QStringLiteral(" (%1 after a failed load)").arg(m_deliveredAfterFailedLoad)
                                        : QString();
    return QStringLiteral("%1 %2%3, skipped %4, failed %5, refused %6.")
        .arg(m_delivered)
        .arg(m_counts[static_cast<int>(PageReport::Outcome::Printed)])
        .arg(afterFailedLoad)
        .arg(m_counts[static_cast<int>(PageReport::Outcome::Skipped)])
        .arg(m_counts[static_cast<int>(PageReport::Outcome::Failed)])
        .arg(m_counts[static_cast<int>(PageReport::Outcome::Refused)]);
}
