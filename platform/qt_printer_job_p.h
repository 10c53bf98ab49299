#pragma once

// The work shared by the system printers and the PDF printer: a QPrinter, its geometry in
// device pixels and one running job, painted on the QPrinter or on a device laid out like it.
// Internal to platform/.

#include "painter_canvas.h"
#include "printer.h"

#include <QPainter>
#include <QPrinter>

#include <memory>
#include <string>

class QPrinterJob
{
public:
    explicit QPrinterJob(std::unique_ptr<QPrinter> printer);
    ~QPrinterJob();

    QPrinter &printer() { return *m_printer; }
    const QPrinter &printer() const { return *m_printer; }

    int resolution() const;
    int pageWidth() const;
    int pageHeight() const;
    int deviceCaps(DeviceCap cap) const;
    Orientation orientation() const;
    void setOrientation(Orientation orientation);

    std::string title() const { return m_title; }
    void setTitle(const std::string &title) { m_title = title; }

    // Starts a job on the printer, or on `device` (a PDF writer set up with the printer's page
    // layout and resolution); `target` names the printer or file in error messages.
    void beginDoc(const std::string &target, QPagedPaintDevice *device = nullptr);
    void newPage();
    void endDoc();
    // Returns true when a job was running.
    bool abort();
    bool isPrinting() const { return m_canvas != nullptr; }
    int pageNumber() const { return m_page; }
    Canvas &canvas();
    std::unique_ptr<Canvas> createMeasuringCanvas() const;

private:
    void requirePrinting(const char *operation) const;

    std::unique_ptr<QPrinter> m_printer;
    QPagedPaintDevice *m_device = nullptr; // what the running job paints on
    QPainter m_painter;
    std::unique_ptr<PainterCanvas> m_canvas;
    std::string m_title;
    int m_page = 0;
};
