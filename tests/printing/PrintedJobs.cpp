#include "printing/PrintedJobs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <cups/cups.h>

#include <algorithm>

namespace {
QString toolOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30'000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

QString jobDocument(int jobId)
{
    return printServerFolder() + QStringLiteral("/spool/d%1-001").arg(jobId, 5, 10, QLatin1Char('0'));
}

QString readJobDocument(const QString &tool, const QStringList &options, int jobId)
{
    const QString document = jobDocument(jobId);
    // pdftotext writes to a file unless told "-"; the others write to standard output anyway.
    const QStringList output = tool == QLatin1String("pdftotext") ? QStringList{QStringLiteral("-")} : QStringList();
    return toolOutput(tool, options + QStringList{document} + output);
}

int pictureCount(int jobId)
{
    // Two lines of heading, then a line for each picture drawn.
    const QStringList lines =
        readJobDocument(QStringLiteral("pdfimages"), {QStringLiteral("-list")}, jobId).split(u'\n', Qt::SkipEmptyParts);
    return static_cast<int>(std::max<qsizetype>(lines.size() - 2, 0));
}

QString jobAttributes(int jobId)
{
    // ipptool reaches a server on a local socket through an address whose host is the socket's
    // path, its slashes written %2F.
    QString socket = qEnvironmentVariable("CUPS_SERVER");
    socket.replace(QLatin1Char('/'), QLatin1String("%2F"));
    return toolOutput(QStringLiteral("ipptool"),
                      {QStringLiteral("-tv"), QStringLiteral("ipp://%1/jobs/%2").arg(socket, QString::number(jobId)),
                       QStringLiteral("get-job-attributes.test")});
}

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
        job.text = readJobDocument(QStringLiteral("pdftotext"), {}, job.id);
    return jobs;
}
