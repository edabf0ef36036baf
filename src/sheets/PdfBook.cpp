#include "sheets/PdfBook.h"

#include "runtime/RuntimeError.h"
#include "sheets/QpdfDocuments.h"
#include "sheets/StreamedPdf.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <memory>

void PdfBook::add(const QByteArray &pdf, const QString &bookmark)
{
    try {
        const std::unique_ptr<QPDF> document = readPdfDocument(pdf, "page");
        if (QPDFPageDocumentHelper(*document).getAllPages().empty())
            throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page came out without a sheet."));
    } catch (const RuntimeError &) {
        throw;
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
    m_spool.keep(pdf);
    m_bookmarks.push_back(bookmark);
}

void PdfBook::write(const std::function<void(const char *data, size_t size)> &write) const
{
    try {
        StreamedPdf book(write);
        for (int number = 0; number < m_spool.count(); ++number)
            book.add(*m_spool.read(number), m_bookmarks[static_cast<size_t>(number)]);
        book.finish();
    } catch (const RuntimeError &) {
        throw;
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
}
