#include "app/CommandLineTarget.h"

#include "app/ProgramOptions.h"
#include "printers/PrinterSystem.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {
// The default printer; without one, says which printers there are to choose from.
QString defaultPrinter(PrinterSystem &printers, const QStringList &names)
{
    try {
        QString name = printers.defaultPrinterName();
        if (!name.isEmpty())
            return name;
    } catch (const RuntimeError &) {
        // libcups's own words ("No default destination.") say nothing of what to do.
    }
    if (names.isEmpty())
        throw RuntimeError(ErrorNumber::PrinterError,
                           QStringLiteral("There are no printers: add one in the system's printer settings, or save "
                                          "PDF files with --pdf-dir."));
    throw RuntimeError(ErrorNumber::PrinterError,
                       QStringLiteral("There is no default printer. Choose one with --printer NAME: %1.")
                           .arg(names.join(QStringLiteral(", "))));
}

// The printer asked for, as the server names it; the default printer when none was.
QString chosenPrinter(PrinterSystem &printers, const QString &asked)
{
    const QStringList names = printers.printerNames();
    const QString wanted = asked.isEmpty() ? defaultPrinter(printers, names) : asked;
    for (const QString &name : names)
        if (sameDestination(name, wanted))
            return name;
    const QString known = names.isEmpty()
                              ? QStringLiteral("The print server knows no printer.")
                              : QStringLiteral("The printers are: %1.").arg(names.join(QStringLiteral(", ")));
    throw RuntimeError(ErrorNumber::PrinterError,
                       QStringLiteral("There is no printer named \"%1\". %2").arg(wanted, known));
}

// Makes the folder and its parents, as mkdir -p does; true when it was not there before. Raises a
// RuntimeError with the system's reason when it can't be made.
bool makeFolder(const QString &folder)
{
    // Whatever is there already is the destination's to judge ("is not a folder").
    if (QFileInfo::exists(folder))
        return false;
    std::error_code error;
    const bool made = std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), error);
    if (error)
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("The folder \"%1\" could not be made: %2")
                               .arg(folder, QString::fromLocal8Bit(error.message().c_str())));
    return made;
}

// Refuses a paper the printer does not know, naming the papers it does. Files take their papers
// from the default printer, and without one know only the fallback paper.
void checkPaper(PrinterSystem &printers, const QString &printer, const QString &paper)
{
    if (printers.paperLayout(printer, paper))
        return;
    if (printer.isEmpty())
        throw RuntimeError(
            ErrorNumber::PrinterError,
            QStringLiteral("There is no default printer to take the paper \"%1\" from; without one the paper is A4.")
                .arg(paper));
    QStringList papers;
    for (const PaperSize &size : printers.paperSizes(printer))
        papers.append(size.name);
    throw RuntimeError(ErrorNumber::PrinterError,
                       QStringLiteral("The printer \"%1\" has no paper \"%2\". %3")
                           .arg(printer, paper,
                                papers.isEmpty()
                                    ? QStringLiteral("It names none.")
                                    : QStringLiteral("Its papers are: %1.").arg(papers.join(QStringLiteral(", ")))));
}
} // namespace

CommandLineTarget commandLineTarget(const CommandLinePrintOptions &options, PrinterSystem &printers)
{
    if (!options.pdfFolder.isEmpty()) {
        const QString folder = QDir(options.pdfFolder).absolutePath();
        return {PageTarget::pdfFolder(folder), makeFolder(folder) ? folder : QString()};
    }
    if (!options.pdfFile.isEmpty())
        return {PageTarget::joinedPdf(options.pdfFile), QString()};
    return {PageTarget::printer(chosenPrinter(printers, options.printer)), QString()};
}

void checkPaperOfRun(const CommandLinePrintOptions &options, PrinterSystem &printers, const QString &sheetPrinter)
{
    if (options.paperAsked)
        checkPaper(printers, sheetPrinter, options.pageSetup.paper);
}
