#pragma once

#include <QByteArray>

#include <exception>
#include <memory>

class QPDF;

// Reading and writing PDF documents in memory with qpdf, for the code below that composes them.
// Warnings about a damaged document go nowhere: it is repaired as far as possible, as viewers do.
// Both let qpdf's own exceptions through.
std::unique_ptr<QPDF> readPdfDocument(const QByteArray &pdf, const char *name);
QByteArray writtenPdf(QPDF &document);

// Raises the printer RuntimeError that says a document could not be put together, and why.
[[noreturn]] void cannotComposePdf(const std::exception &error);
