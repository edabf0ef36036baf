#include "printing/PdfSheets.h"

#include "runtime/RuntimeError.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace {
[[noreturn]] void cannotCompose(const std::exception &error)
{
    throw RuntimeError(
        ErrorNumber::PrinterError,
        QStringLiteral("The printout could not be put together: %1").arg(QString::fromUtf8(error.what())));
}

std::unique_ptr<QPDF> readDocument(const QByteArray &pdf, const char *name)
{
    auto document = std::make_unique<QPDF>();
    // Warnings about a damaged document go nowhere: it is repaired as far as possible, as viewers do.
    document->setSuppressWarnings(true);
    document->processMemoryFile(name, pdf.constData(), static_cast<size_t>(pdf.size()));
    return document;
}
} // namespace

PdfSheets::PdfSheets(const QByteArray &pdf) : m_pdf(pdf)
{
    try {
        m_document = readDocument(m_pdf, "page");
    } catch (const std::exception &error) {
        cannotCompose(error);
    }
}

PdfSheets::~PdfSheets() = default;

int PdfSheets::count() const
{
    try {
        return static_cast<int>(QPDFPageDocumentHelper(*m_document).getAllPages().size());
    } catch (const std::exception &error) {
        cannotCompose(error);
    }
}

QByteArray PdfSheets::overlaid(const QByteArray &overlay)
{
    try {
        const std::unique_ptr<QPDF> over = readDocument(overlay, "overlay");
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
        QPDFWriter writer(*m_document);
        writer.setOutputMemory();
        writer.write();
        const std::unique_ptr<Buffer> written(writer.getBuffer());
        return QByteArray(reinterpret_cast<const char *>(written->getBuffer()),
                          static_cast<qsizetype>(written->getSize()));
    } catch (const std::exception &error) {
        cannotCompose(error);
    }
}
