#include "printers/CupsPdfJob.h"

#include "printers/CupsConnection.h"

namespace {
QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

[[noreturn]] void refuse(const QString &destination, const QString &reason)
{
    // libcups' reasons come with and without a full stop of their own.
    const QString sentence = reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
    throwPrinterError(QStringLiteral("The printer \"%1\" refused the page: %2").arg(destination, sentence));
}

// Whether the option turns the page, which the document already is laid out in: the server would
// turn it once more.
bool turnsPage(const QByteArray &name)
{
    return name == "landscape" || name == "orientation-requested";
}

// The user's saved options for the queue, as every other program's jobs get them, then the run's
// own, which win over them; without the orientation.
class CupsOptions
{
public:
    CupsOptions(const cups_dest_t &queue, const JobOptions &runOptions)
    {
        for (int i = 0; i < queue.num_options; ++i)
            if (!turnsPage(queue.options[i].name))
                m_count = cupsAddOption(queue.options[i].name, queue.options[i].value, m_count, &m_options);
        for (const JobOption &option : runOptions) {
            const QByteArray name = option.name.toUtf8();
            // A name alone is a switch turned on, as lp reads it.
            const QByteArray value = option.value.isEmpty() ? QByteArray("true") : option.value.toUtf8();
            if (!turnsPage(name))
                m_count = cupsAddOption(name.constData(), value.constData(), m_count, &m_options);
        }
    }
    ~CupsOptions() { cupsFreeOptions(m_count, m_options); }
    CupsOptions(const CupsOptions &) = delete;
    CupsOptions &operator=(const CupsOptions &) = delete;

    int count() const { return m_count; }
    cups_option_t *options() const { return m_options; }

private:
    int m_count = 0;
    cups_option_t *m_options = nullptr;
};

// The server keeps a job's name in at most this many bytes and refuses longer ones outright.
constexpr qsizetype kLongestJobTitle = 255;

// The title's UTF-8, cut at a character boundary where it is too long.
QByteArray jobTitleBytes(const QString &title)
{
    QByteArray bytes = title.toUtf8();
    if (bytes.size() <= kLongestJobTitle)
        return bytes;
    qsizetype end = kLongestJobTitle;
    // Continuation bytes are 10xxxxxx: step back to the first byte of the character cut in two.
    while (end > 0 && (static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80)
        --end;
    bytes.truncate(end);
    return bytes;
}

// Success answers carry a status below 0x0100; the server may say it ignored options the queue
// does not know, which still prints.
bool accepted(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace

void refuseUnknownQueue(const QString &queueName)
{
    refuse(queueName, QStringLiteral("the print server does not know it"));
}

int submitPdfJob(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details, const QString &queueName,
                 const QString &title, const QByteArray &pdf, const JobOptions &runOptions)
{
    if (!details) {
        server.checkAnswered();
        refuse(queueName, lastCupsError());
    }
    const QByteArray jobTitle = jobTitleBytes(title);
    const CupsOptions options(queue, runOptions);

    // The destination calls, not cupsCreateJob: that one asks the server about the queue once
    // more for every job, and where the server does not answer falls back to listing every
    // printer over a connection of its own, which no time limit of ours bounds.
    int job = 0;
    if (!accepted(cupsCreateDestJob(server.http(), &queue, details, &job, jobTitle.constData(), options.count(),
                                    options.options())) ||
        job <= 0) {
        server.checkAnswered();
        refuse(queueName, lastCupsError());
    }
    auto cancelAndRefuse = [&] {
        const QString reason = lastCupsError();
        cupsCancelDestJob(server.http(), &queue, job);
        server.checkAnswered();
        refuse(queueName, reason);
    };
    if (cupsStartDestDocument(server.http(), &queue, details, job, jobTitle.constData(), CUPS_FORMAT_PDF, 0, nullptr,
                              1) != HTTP_STATUS_CONTINUE)
        cancelAndRefuse();
    if (cupsWriteRequestData(server.http(), pdf.constData(), static_cast<size_t>(pdf.size())) != HTTP_STATUS_CONTINUE)
        cancelAndRefuse();
    if (!accepted(cupsFinishDestDocument(server.http(), &queue, details)))
        cancelAndRefuse();
    return job;
}
