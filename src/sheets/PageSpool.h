#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QPDF;

// Documents kept on disk until they are needed, so that a run of thousands of pages into one file
// holds none of them in memory. They wait in one file beside the run's target, on the disk that
// will take the result, which has no name from the moment it is made: however the program ends,
// killed or not, nothing of it is left behind.
class PageSpool
{
public:
    // Raises a RuntimeError with the system's reason when no file can be made in the folder.
    explicit PageSpool(const QString &folder);
    ~PageSpool();
    PageSpool(const PageSpool &) = delete;
    PageSpool &operator=(const PageSpool &) = delete;

    // Keeps the document and gives its number, from 0; raises a RuntimeError with the system's
    // reason when the disk takes no more of it.
    int keep(const QByteArray &pdf);
    int count() const { return static_cast<int>(m_documents.size()); }
    // The document kept under that number, which qpdf reads from the disk a part at a time, as it
    // needs them. Lets qpdf's exceptions through.
    std::unique_ptr<QPDF> read(int number) const;

private:
    struct Kept
    {
        qint64 offset;
        qint64 size;
    };
    int m_descriptor = -1;
    qint64 m_end = 0;
    std::vector<Kept> m_documents;
};
