#include "destinations/PageTarget.h"

#include "destinations/JoinedPdfDestination.h"
#include "destinations/PdfFolderDestination.h"
#include "destinations/PrinterDestination.h"

std::shared_ptr<PageDestination> PageTarget::makeDestination(PrinterSystem &printers) const
{
    switch (m_kind) {
    case Kind::PdfFolder:
        return std::make_shared<PdfFolderDestination>(printers, m_where);
    case Kind::JoinedPdf:
        return std::make_shared<JoinedPdfDestination>(printers, m_where);
    case Kind::Printer:
        break;
    }
    return std::make_shared<PrinterDestination>(printers, m_where);
}
