#include "qt_printer_job_p.h"

#include "measuring_canvas_p.h"
#include "zan_error.h"

#include <cmath>

namespace {

int rounded(double value)
{
    return int(std::lround(value));
}

} // namespace

QPrinterJob::QPrinterJob(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) { }

QPrinterJob::~QPrinterJob()
{
    abort();
}

// The logical resolution: a high-resolution QPrinter reports twice as much as physical dpi.
int QPrinterJob::resolution() const
{
    return m_printer->resolution();
}

int QPrinterJob::pageWidth() const
{
    return rounded(m_printer->pageRect(QPrinter::DevicePixel).width());
}

int QPrinterJob::pageHeight() const
{
    return rounded(m_printer->pageRect(QPrinter::DevicePixel).height());
}

int QPrinterJob::deviceCaps(DeviceCap cap) const
{
    const QRectF paper = m_printer->paperRect(QPrinter::DevicePixel);
    const QRectF page = m_printer->pageRect(QPrinter::DevicePixel);
    switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY:
        return resolution();
    case DeviceCap::PhysicalWidth:
        return rounded(paper.width());
    case DeviceCap::PhysicalHeight:
        return rounded(paper.height());
    case DeviceCap::PhysicalOffsetX:
        return rounded(page.left() - paper.left());
    case DeviceCap::PhysicalOffsetY:
        return rounded(page.top() - paper.top());
    case DeviceCap::HorizontalResolution:
        return pageWidth();
    case DeviceCap::VerticalResolution:
        return pageHeight();
    }
    return 0;
}

Orientation QPrinterJob::orientation() const
{
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                           : Orientation::Portrait;
}

void QPrinterJob::setOrientation(Orientation orientation)
{
    const auto wanted
        = orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!m_printer->setPageOrientation(wanted))
        throw ZanError("the printer cannot change the page orientation now");
    if (m_device != nullptr && m_device != m_printer.get())
        m_device->setPageOrientation(wanted);
}

void QPrinterJob::beginDoc(const std::string &target, QPagedPaintDevice *device)
{
    if (isPrinting())
        throw ZanError("a print job is already running on " + target);
    m_printer->setDocName(QString::fromStdString(m_title));
    QPagedPaintDevice *painted = device != nullptr ? device : m_printer.get();
    if (!m_painter.begin(painted))
        throw ZanError("cannot start printing on " + target);
    m_device = painted;
    m_canvas = std::make_unique<PainterCanvas>(&m_painter, resolution(), resolution());
    m_page = 1;
}

void QPrinterJob::newPage()
{
    requirePrinting("new page");
    if (!m_device->newPage())
        throw ZanError("the printer cannot start a new page");
    ++m_page;
}

void QPrinterJob::endDoc()
{
    requirePrinting("end of document");
    m_canvas.reset();
    m_page = 0;
    m_device = nullptr;
    if (!m_painter.end())
        throw ZanError("the print job could not be finished");
}

bool QPrinterJob::abort()
{
    if (!isPrinting())
        return false;
    m_canvas.reset();
    if (m_device == m_printer.get())
        m_printer->abort();
    m_painter.end();
    m_device = nullptr;
    m_page = 0;
    return true;
}

Canvas &QPrinterJob::canvas()
{
    requirePrinting("canvas");
    return *m_canvas;
}

std::unique_ptr<Canvas> QPrinterJob::createMeasuringCanvas() const
{
    return ::createMeasuringCanvas(resolution(), resolution());
}

void QPrinterJob::requirePrinting(const char *operation) const
{
    if (!isPrinting())
        throw ZanError(std::string(operation) + ": no print job is running");
}
