#include "sheets/PdfSheets.h"

#include "sheets/QpdfDocuments.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

PdfSheets::PdfSheets(const QByteArray &pdf) : m_pdf(pdf)
{
    try {
        m_document = readPdfDocument(m_pdf, "page");
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
}

PdfSheets::~PdfSheets() = default;

int PdfSheets::count() const
{
    try {
        return static_cast<int>(QPDFPageDocumentHelper(*m_document).getAllPages().size());
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
}

QByteArray PdfSheets::overlaid(const QByteArray &overlay)
{
    try {
        const std::unique_ptr<QPDF> over = readPdfDocument(overlay, "overlay");
        std::vector<QPDFPageObjectHelper> overPages = QPDFPageDocumentHelper(*over).getAllPages();
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(*m_document).getAllPages();
        for (size_t i = 0; i < pages.size() && i < overPages.size(); ++i) {
            QPDFPageObjectHelper &page = pages.at(i);
            // The overlay sheet becomes a form the page draws last, over its own content, which is
            // wrapped so that nothing it leaves set (a clip, a transformation) touches the form.
            const QPDFObjectHandle form = m_document->copyForeignObject(overPages.at(i).getFormXObjectForPage());
            QPDFObjectHandle resources = page.getAttribute("/Resources", true);
            int suffix = 1;
            const std::string name = resources.getUniqueResourceName("/Fx", suffix);
            const std::string placement = page.placeFormXObject(form, name, page.getTrimBox().getArrayAsRectangle());
            if (placement.empty())
                continue;
            resources.mergeResources(QPDFObjectHandle::parse("<< /XObject << >> >>"));
            resources.getKey("/XObject").replaceKey(name, form);
            page.addPageContents(m_document->newStream("q\n"), true);
            page.addPageContents(m_document->newStream("\nQ\n" + placement), false);
        }
        return writtenPdf(*m_document);
    } catch (const std::exception &error) {
        cannotComposePdf(error);
    }
}
