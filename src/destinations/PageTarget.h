#pragma once

#include <QString>

#include <memory>

class PageDestination;
class PrinterSystem;

// Where a run's pages go: a printer by name, a folder of PDF files, or one joined PDF file. The
// window and the command line both say it with this, and it alone makes the destination.
class PageTarget
{
public:
    enum class Kind { Printer, PdfFolder, JoinedPdf };

    static PageTarget printer(const QString &name) { return {Kind::Printer, name}; }
    static PageTarget pdfFolder(const QString &folder) { return {Kind::PdfFolder, folder}; }
    static PageTarget joinedPdf(const QString &file) { return {Kind::JoinedPdf, file}; }

    Kind kind() const { return m_kind; }
    // The printer's name; empty for a target that saves files.
    QString printerName() const { return m_kind == Kind::Printer ? m_where : QString(); }
    // The folder or the file; empty for a printer.
    QString path() const { return m_kind == Kind::Printer ? QString() : m_where; }
    bool savesFiles() const { return m_kind != Kind::Printer; }

    // The destination that takes the pages. Raises a RuntimeError, before any page, when a folder
    // or a file can't be written.
    std::shared_ptr<PageDestination> makeDestination(PrinterSystem &printers) const;

private:
    PageTarget(Kind kind, QString where) : m_kind(kind), m_where(std::move(where)) {}

    Kind m_kind;
    QString m_where;
};
