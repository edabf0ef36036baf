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

// How many jobs the queue has had, finished or not.
int jobCount(const QString &queue);

// The queue's jobs after the first `count`, oldest first, finished or not.
QList<PrintedJob> jobsSince(const QString &queue, int count);

// The folder of the private print server that CUPS_SERVER points at.
QString printServerFolder();
