#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class QPDF;

// Documents joined into one, in the order they were added, with one bookmark each that opens the
// document's first sheet. Raises a printer RuntimeError on a document that cannot be read or
// written.
class PdfBook
{
public:
    PdfBook();
    ~PdfBook();
    PdfBook(const PdfBook &) = delete;
    PdfBook &operator=(const PdfBook &) = delete;

    // Reads the document at once, so that one that can't be read is refused now, alone.
    void add(const QByteArray &pdf, const QString &bookmark);
    int documentCount() const { return static_cast<int>(m_documents.size()); }
    QByteArray written() const;

private:
    struct Document
    {
        // The text a document is read from, which the reader does not copy; the documents are kept
        // until the book is written, since their sheets are copied only as it is.
        QByteArray pdf;
        std::unique_ptr<QPDF> document;
        QString bookmark;
    };
    std::vector<Document> m_documents;
};
