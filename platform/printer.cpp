#include "printer.h"

#include "system_printer_p.h"
#include "zan_error.h"

#include <QPrinterInfo>

std::unique_ptr<Printer> createDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<SystemPrinter>(
        std::make_unique<QPrinter>(info, QPrinter::HighResolution));
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
