#include "printing/PdfBook.h"

#include "printing/QpdfDocuments.h"
#include "runtime/RuntimeError.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

PdfBook::PdfBook() = default;
PdfBook::~PdfBook() = default;

void PdfBook::add(const QByteArray &pdf, const QString &bookmark)
{
    Document added{pdf, nullptr, bookmark};
    try {
        added.document = readPdfDocument(added.pdf, "page");
        if (QPDFPageDocumentHelper(*added.document).getAllPages().empty())
            throw RuntimeError(ErrorNumber::PrinterError, QStringLiteral("The page came out without a sheet."));
    } catch (const RuntimeError &) {
        throw;
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
    m_documents.push_back(std::move(added));
}

QByteArray PdfBook::written() const
{
    try {
        QPDF book;
        book.emptyPDF();
        QPDFPageDocumentHelper bookSheets(book);
        QPDFObjectHandle outline = book.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        std::vector<QPDFObjectHandle> bookmarks;
        for (const Document &document : m_documents) {
            const size_t firstSheet = bookSheets.getAllPages().size();
            for (QPDFPageObjectHelper &sheet : QPDFPageDocumentHelper(*document.document).getAllPages())
                bookSheets.addPage(sheet, false);
            QPDFObjectHandle bookmark = book.makeIndirectObject(QPDFObjectHandle::newDictionary());
            bookmark.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(document.bookmark.toStdString()));
            bookmark.replaceKey("/Parent", outline);
            bookmark.replaceKey("/Dest", QPDFObjectHandle::newArray(
                                             {book.getAllPages().at(firstSheet), QPDFObjectHandle::newName("/Fit")}));
            if (!bookmarks.empty()) {
                bookmark.replaceKey("/Prev", bookmarks.back());
                bookmarks.back().replaceKey("/Next", bookmark);
            }
            bookmarks.push_back(bookmark);
        }
        if (!bookmarks.empty()) {
            outline.replaceKey("/First", bookmarks.front());
            outline.replaceKey("/Last", bookmarks.back());
            outline.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(bookmarks.size())));
            book.getRoot().replaceKey("/Outlines", outline);
            // A viewer opens the file with its bookmarks in view: they are what the file is made of.
            book.getRoot().replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
        }
        return writtenPdf(book);
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
}
