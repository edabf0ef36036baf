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

// Where the print server keeps the job's document.
QString jobDocument(int jobId);

// What a PDF tool (pdftotext, pdfinfo) with the given options says of the job's document.
QString readJobDocument(const QString &tool, const QStringList &options, int jobId);

// How many pictures the job's document draws, as pdfimages lists them.
int pictureCount(int jobId);

// The job's attributes as the print server keeps them, one "name (type) = value" a line.
QString jobAttributes(int jobId);

// The folder of the private print server that CUPS_SERVER points at.
QString printServerFolder();
