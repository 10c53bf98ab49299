#include "printer.h"

#include "pdf_printer.h"
#include "system_printer_p.h"
#include "zan_error.h"

#include <QPrinterInfo>

namespace {

std::unique_ptr<Printer> &globalPrinter()
{
    static std::unique_ptr<Printer> printer;
    return printer;
}

std::unique_ptr<Printer> createDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return std::make_unique<SystemPrinter>(
            std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    return std::make_unique<PdfPrinter>();
}

} // namespace

Printer &currentPrinter()
{
    std::unique_ptr<Printer> &printer = globalPrinter();
    if (!printer)
        printer = createDefaultPrinter();
    return *printer;
}

std::unique_ptr<Printer> setCurrentPrinter(std::unique_ptr<Printer> printer)
{
    std::unique_ptr<Printer> previous = std::move(globalPrinter());
    globalPrinter() = std::move(printer);
    return previous;
}

std::vector<std::string> availablePrinterNames()
{
    std::vector<std::string> names;
    for (const QString &name : QPrinterInfo::availablePrinterNames())
        names.push_back(name.toStdString());
    return names;
}

std::string defaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName().toStdString();
}

std::unique_ptr<Printer> createSystemPrinter(const std::string &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull())
        throw ZanError("no printer named " + name);
    return std::make_unique<SystemPrinter>(
        std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}
