#pragma once

#include "printers/JobOption.h"

#include <QByteArray>
#include <QString>

#include <cups/cups.h>

class CupsConnection;

// Hands a PDF document to the print queue as one job with the given title, with the options the
// user saved for that queue and then the run's options (orientation left out of both), and returns the job's id once
// the server has accepted it. The details are what the server said of the queue (cupsCopyDestInfo); without them the
// job is refused. Raises a printer RuntimeError, naming the queue as the program calls it, when the server refuses the
// job or cannot be reached; a job refused half-way is cancelled, so nothing of it prints.
int submitPdfJob(CupsConnection &server, cups_dest_t &queue, cups_dinfo_t *details, const QString &queueName,
                 const QString &title, const QByteArray &pdf, const JobOptions &runOptions);

// The refusal for a queue the server does not know.
[[noreturn]] void refuseUnknownQueue(const QString &queueName);
