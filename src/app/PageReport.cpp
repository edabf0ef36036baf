#include "app/PageReport.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
QString outcomeName(PageReport::Outcome outcome)
{
    switch (outcome) {
    case PageReport::Outcome::Printed:
        return QStringLiteral("printed");
    case PageReport::Outcome::Skipped:
        return QStringLiteral("skipped");
    case PageReport::Outcome::Failed:
        return QStringLiteral("failed");
    case PageReport::Outcome::Refused:
        return QStringLiteral("refused");
    }
    return {};
}

QString jobName(const PageReport &report)
{
    return QStringLiteral("%1-%2").arg(report.printer).arg(report.job.value_or(0));
}

QString whatHappened(const PageReport &report)
{
    switch (report.outcome) {
    case PageReport::Outcome::Printed:
        return QStringLiteral("printed (job %1)").arg(jobName(report));
    case PageReport::Outcome::Skipped:
        return QStringLiteral("skipped");
    case PageReport::Outcome::Failed:
        return report.printError.isEmpty() ? QStringLiteral("not printed")
                                           : QStringLiteral("not printed: ") + report.printError;
    case PageReport::Outcome::Refused:
        return QStringLiteral("refused by the printer: ") + report.printError;
    }
    return {};
}
} // namespace

QString withControlsEscaped(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        // C0, DEL and C1: the characters a terminal may take as commands.
        const bool control = code < 0x20 || (code >= 0x7f && code <= 0x9f);
        if (!control) {
            escaped += c;
            continue;
        }
        switch (code) {
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            escaped += QStringLiteral("\\u%1").arg(static_cast<int>(code), 4, 16, QLatin1Char('0'));
        }
    }
    return escaped;
}

QString progressLine(const PageReport &report, int position, int count)
{
    QString line = QStringLiteral("[%1/%2] %3 ").arg(position).arg(count).arg(report.address);
    if (!report.loadError.isEmpty())
        line += QStringLiteral("load failed: %1; ").arg(report.loadError);
    return line + whatHappened(report);
}

QString jsonLine(const PageReport &report)
{
    const QString error = !report.printError.isEmpty() ? report.printError : report.loadError;
    const QJsonObject object{
        {QStringLiteral("address"), report.address},
        {QStringLiteral("outcome"), outcomeName(report.outcome)},
        {QStringLiteral("http_status"), report.httpStatus ? QJsonValue(*report.httpStatus) : QJsonValue()},
        {QStringLiteral("error"), error.isEmpty() ? QJsonValue() : QJsonValue(error)},
        {QStringLiteral("job"), report.job ? QJsonValue(*report.job) : QJsonValue()},
        {QStringLiteral("printer"), report.printer},
        {QStringLiteral("seconds"), report.seconds},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

void RunSummary::add(const PageReport &report)
{
    ++m_counts[static_cast<int>(report.outcome)];
    m_allClean = m_allClean && report.clean();
}

QString RunSummary::line() const
{
    return QStringLiteral("Printed %1, skipped %2, failed %3, refused %4.")
        .arg(m_counts[0])
        .arg(m_counts[1])
        .arg(m_counts[2])
        .arg(m_counts[3]);
}
