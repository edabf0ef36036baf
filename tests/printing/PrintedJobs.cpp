#include "printing/PrintedJobs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cups/cups.h>

#include <algorithm>

namespace {
QString documentText(int jobId)
{
    const QString document = printServerFolder() + QStringLiteral("/spool/d%1-001").arg(jobId, 5, 10, QLatin1Char('0'));
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {document, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30'000))
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
} // namespace

QString printServerFolder()
{
    return QFileInfo(qEnvironmentVariable("CUPS_SERVER")).absolutePath();
}

namespace {
QList<PrintedJob> queueJobs(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const QByteArray name = queue.toUtf8();
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ALL);
    QList<PrintedJob> listed;
    for (int i = 0; i < count; ++i)
        listed.append({jobs[i].id, QString::fromUtf8(jobs[i].title), QString()});
    cupsFreeJobs(count, jobs);
    std::sort(listed.begin(), listed.end(), [](const PrintedJob &a, const PrintedJob &b) { return a.id < b.id; });
    return listed;
}
} // namespace

int jobCount(const QString &queue)
{
    return static_cast<int>(queueJobs(queue).size());
}

QList<PrintedJob> jobsSince(const QString &queue, int count)
{
    QList<PrintedJob> jobs = queueJobs(queue).mid(count);
    for (PrintedJob &job : jobs)
        job.text = documentText(job.id);
    return jobs;
}
