#include "printer_setup_dialog.h"

#include "pdf_printer.h"
#include "system_printer_p.h"
#include "zan_error.h"

#include <QPrintDialog>
#include <QPrinterInfo>

namespace {

Paper paperOf(const QPageSize &size)
{
    switch (size.id()) {
    case QPageSize::Letter:
        return Paper::Letter;
    case QPageSize::A3:
        return Paper::A3;
    case QPageSize::A5:
        return Paper::A5;
    case QPageSize::Legal:
        return Paper::Legal;
    default:
        return Paper::A4;
    }
}

QPageLayout::Orientation qtOrientation(Orientation orientation)
{
    return orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Loads the dialog's printer with the settings of the printer chosen before.
void configureFrom(const Printer &current, QPrinter &printer)
{
    if (auto *system = dynamic_cast<const SystemPrinter *>(&current)) {
        printer.setPrinterName(system->qtPrinter().printerName());
        printer.setPageLayout(system->qtPrinter().pageLayout());
        printer.setCopyCount(system->copies());
        return;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(qtOrientation(current.orientation()));
    printer.setCopyCount(std::max(1, current.copies()));
    if (auto *pdf = dynamic_cast<const PdfPrinter *>(&current)) {
        printer.setOutputFileName(QString::fromStdString(pdf->nextOutputFile()));
        printer.setPageSize(
            QPageSize(pdf->paper() == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
    }
}

std::unique_ptr<Printer> pdfPrinterFrom(const QPrinter &chosen, const Printer *current)
{
    auto pdf = std::make_unique<PdfPrinter>();
    pdf->setPaper(paperOf(chosen.pageLayout().pageSize()));
    pdf->setOrientation(chosen.pageLayout().orientation() == QPageLayout::Landscape
            ? Orientation::Landscape
            : Orientation::Portrait);
    pdf->setCopies(chosen.copyCount());
    if (current != nullptr)
        pdf->setTitle(current->title());
    // An unchanged suggestion keeps the free default name for every job.
    auto *previous = dynamic_cast<const PdfPrinter *>(current);
    const std::string file = chosen.outputFileName().toStdString();
    const bool suggested = previous != nullptr && previous->outputFile().empty()
        && file == previous->nextOutputFile();
    if (!suggested)
        pdf->setOutputFile(file);
    if (previous != nullptr) {
        pdf->setMarginMillimetres(previous->marginMillimetres());
        pdf->setResolution(previous->deviceCaps(DeviceCap::LogPixelsX));
    }
    return pdf;
}

std::unique_ptr<Printer> systemPrinterFrom(const QPrinter &chosen, const Printer *current)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(chosen.printerName());
    if (info.isNull())
        throw ZanError("no printer named " + chosen.printerName().toStdString());
    auto qtPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    qtPrinter->setPageLayout(chosen.pageLayout());
    qtPrinter->setCopyCount(chosen.copyCount());
    auto printer = std::make_unique<SystemPrinter>(std::move(qtPrinter));
    if (current != nullptr)
        printer->setTitle(current->title());
    return printer;
}

} // namespace

std::unique_ptr<Printer> executePrinterSetupDialog(QWidget *parent, const Printer *current)
{
    if (current != nullptr && current->isPrinting())
        throw ZanError("cannot set up the printer during a print job");
    QPrinter printer(QPrinter::HighResolution);
    if (current != nullptr)
        configureFrom(*current, printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return pdfPrinterFrom(printer, current);
    return systemPrinterFrom(printer, current);
}
