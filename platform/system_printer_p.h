#pragma once

// A printer the system offers, through Qt's print support. Internal to platform/.

#include "print_service_status_p.h"
#include "qt_printer_job_p.h"
#include "zan_error.h"

#include <algorithm>

class SystemPrinter : public Printer
{
public:
    explicit SystemPrinter(std::unique_ptr<QPrinter> printer)
        : m_job(std::move(printer)), m_name(m_job.printer().printerName().toStdString())
    { }
    ~SystemPrinter() override { m_job.abort(); }

    const QPrinter &qtPrinter() const { return m_job.printer(); }

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
    // A job the print service refuses (a queue that rejects jobs, a printer removed meanwhile)
    // throws ZanError naming the printer and the service's reason.
    void endDoc() override
    {
        m_job.endDoc();
        const std::string refused = lastPrintServiceError();
        if (!refused.empty())
            throw ZanError("the printer " + m_name + " refused the job: " + refused);
    }
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
