#pragma once

#include <QList>
#include <QString>

// The jobs that reached a queue of the private print server, read back from the server and its
// spool, where every submitted document stays.
struct PrintedJob
{
    int id = 0;
    QString title;
    QString text; // the submitted document's text, as pdftotext reads it
};

// The queue's jobs, oldest first, finished or not.
QList<PrintedJob> printedJobs(const QString &queue);

// The folder of the private print server that CUPS_SERVER points at.
QString printServerFolder();
