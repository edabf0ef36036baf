#pragma once

#include <QByteArray>
#include <QString>

// Hands a PDF document to the named print queue as one job with the given title, with the options
// the user saved for that queue, and returns the job's id once the server has accepted it. Raises
// a printer RuntimeError when the server refuses the job or cannot be reached; a job refused
// half-way is cancelled, so nothing of it prints.
int submitPdfJob(const QString &destination, const QString &title, const QByteArray &pdf);
