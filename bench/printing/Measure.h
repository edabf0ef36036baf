#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one contender cost for printing a list of pages to a queue of the print server.
struct Figures
{
    QString name;
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
    // New jobs on the queue, whatever became of them.
    int jobs = 0;
    // The pictures their documents draw, as pdfimages lists them.
    int pictures = 0;
    int exitCode = 0;
    QString note;
    // The private print server's processor time, its filters' above all, while the contender ran,
    // and on all of the contender's jobs until the last was done; negative when the server's
    // process is not known.
    double printServerCpuSecondsDuringRun = -1;
    double printServerCpuSecondsForJobs = -1;
    // Processor time that the host of a virtual machine took from its cores while the contender
    // ran (the steal time of /proc/stat), summed over the cores: time in which nothing here ran, so
    // a row that lost much of it is slower than the program.
    double stolenCoreSeconds = 0;
};

// How often measure() adds up the memory of a contender's processes.
constexpr int kMemorySampleIntervalMs = 50;

// The calling process takes over the contenders' orphans, so that their processor time still
// counts; call once before the first measure().
void adoptOrphans();

// Runs the program to its end after the queue has gone quiet, sampling the memory of its whole
// process tree. The processor time is that of every process it started, including those that
// outlived it. Standard error passes through; standard output lands in output, when given.
Figures measure(const QString &name, const QString &program, const QStringList &arguments, const QString &queue,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                QByteArray *output = nullptr);
