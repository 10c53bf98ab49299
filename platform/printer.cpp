#include "printer.h"

#include "pdf_printer.h"
#include "qt_printer_job_p.h"
#include "zan_error.h"

#include <QPrinterInfo>

namespace {

// A printer the system offers, through Qt's print support.
class SystemPrinter : public Printer
{
public:
    explicit SystemPrinter(const QPrinterInfo &info)
        : m_job(std::make_unique<QPrinter>(info, QPrinter::HighResolution)),
          m_name(info.printerName().toStdString())
    { }
    ~SystemPrinter() override { m_job.abort(); }

    std::string deviceName() const override { return m_name; }
    std::string driverName() const override { return "CUPS"; }
    std::string port() const override { return m_name; }
    int pageWidth() const override { return m_job.pageWidth(); }
    int pageHeight() const override { return m_job.pageHeight(); }
    int deviceCaps(DeviceCap cap) const override { return m_job.deviceCaps(cap); }
    Orientation orientation() const override { return m_job.orientation(); }
    void setOrientation(Orientation orientation) override { m_job.setOrientation(orientation); }
    std::string title() const override { return m_job.title(); }
    void setTitle(const std::string &title) override { m_job.setTitle(title); }
    int copies() const override { return m_job.printer().copyCount(); }
    void setCopies(int copies) override { m_job.printer().setCopyCount(std::max(1, copies)); }
    bool canCopy() const override { return m_job.printer().supportsMultipleCopies(); }
    void beginDoc() override { m_job.beginDoc(m_name); }
    void newPage() override { m_job.newPage(); }
    void endDoc() override { m_job.endDoc(); }
    void abort() override { m_job.abort(); }
    bool isPrinting() const override { return m_job.isPrinting(); }
    int pageNumber() const override { return m_job.pageNumber(); }
    Canvas &canvas() override { return m_job.canvas(); }
    std::unique_ptr<Canvas> createMeasuringCanvas() const override
    {
        return m_job.createMeasuringCanvas();
    }

private:
    QPrinterJob m_job;
    std::string m_name;
};

std::unique_ptr<Printer> &globalPrinter()
{
    static std::unique_ptr<Printer> printer;
    return printer;
}

std::unique_ptr<Printer> createDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return std::make_unique<SystemPrinter>(info);
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

std::unique_ptr<Printer> createSystemPrinter(const std::string &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull())
        throw ZanError("no printer named " + name);
    return std::make_unique<SystemPrinter>(info);
}
