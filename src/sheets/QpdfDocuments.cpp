#include "sheets/QpdfDocuments.h"

#include "runtime/RuntimeError.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

std::unique_ptr<QPDF> readPdfDocument(const QByteArray &pdf, const char *name)
{
    auto document = std::make_unique<QPDF>();
    document->setSuppressWarnings(true);
    document->processMemoryFile(name, pdf.constData(), static_cast<size_t>(pdf.size()));
    return document;
}

QByteArray writtenPdf(QPDF &document)
{
    QPDFWriter writer(document);
    writer.setOutputMemory();
    writer.write();
    const std::unique_ptr<Buffer> written(writer.getBuffer());
    return QByteArray(reinterpret_cast<const char *>(written->getBuffer()), static_cast<qsizetype>(written->getSize()));
}

void cannotComposePdf(const std::exception &error)
{
    throw RuntimeError(
        ErrorNumber::PrinterError,
        QStringLiteral("The printout could not be put together: %1").arg(QString::fromUtf8(error.what())));
}
