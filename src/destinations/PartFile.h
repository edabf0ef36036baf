#pragma once

#include <QString>

// A file written in a folder under a hidden name of its own, which takes its real name only once it
// is whole, so that a name never stands for half a file; removed again if it never does. Made new,
// as any new file of the user's is, so that the umask decides who may read it. Every failure raises
// a RuntimeError that says what could not be saved ("\"/x/a.pdf\" could not be written") and the
// system's reason ("No space left on device").
class PartFile
{
public:
    // `failure` is how a failure begins: what could not be done to which file.
    PartFile(const QString &folder, QString failure);
    ~PartFile();
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    void write(const char *data, qint64 size);
    void write(const QByteArray &data) { write(data.constData(), data.size()); }
    // Waits until the disk has the whole file, where a full disk may show only now, and closes it.
    void finish();
    QString path() const { return m_path; }
    // The file has its real name now (or has been moved away): it is no longer to be removed.
    void placed() { m_placed = true; }
    // Raises this file's failure, with the system's reason for the last call that failed.
    [[noreturn]] void fail() const;
    [[noreturn]] void fail(const QString &why) const;

private:
    QString m_path;
    QString m_failure;
    int m_descriptor = -1;
    bool m_placed = false;
};
