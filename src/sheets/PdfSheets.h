#pragma once

#include <QByteArray>

#include <memory>

class QPDF;

// The sheets of a PDF document, as read from memory. Raises a printer RuntimeError on a document
// that cannot be read or written.
class PdfSheets
{
public:
    explicit PdfSheets(const QByteArray &pdf);
    ~PdfSheets();
    PdfSheets(const PdfSheets &) = delete;
    PdfSheets &operator=(const PdfSheets &) = delete;

    int count() const;
    // The document with each sheet of the overlay laid over the sheet of the same number, as it
    // stands: the overlay's drawing stays vector drawing and text stays text. The overlay has at
    // least as many sheets, of the same size.
    QByteArray overlaid(const QByteArray &overlay);

private:
    // The text the document is read from, which the reader does not copy.
    QByteArray m_pdf;
    std::unique_ptr<QPDF> m_document;
};
