#include "pdf_printer.h"

#include "qt_printer_job_p.h"
#include "zan_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr int defaultResolution = 600;

QPageSize pageSizeOf(Paper paper)
{
    switch (paper) {
    case Paper::A4:
        return QPageSize(QPageSize::A4);
    case Paper::Letter:
        return QPageSize(QPageSize::Letter);
    case Paper::A3:
        return QPageSize(QPageSize::A3);
    case Paper::A5:
        return QPageSize(QPageSize::A5);
    case Paper::Legal:
        return QPageSize(QPageSize::Legal);
    }
    return QPageSize(QPageSize::A4);
}

QString outputFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

// "<title without extension>.pdf" in the documents folder, numbered so no file is overwritten.
QString defaultOutputFile(const std::string &title)
{
    QString base = QFileInfo(QString::fromStdString(title)).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("report");
    const QDir folder(outputFolder());
    QString candidate = folder.filePath(base + QStringLiteral(".pdf"));
    for (int number = 2; QFileInfo::exists(candidate); ++number)
        candidate = folder.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(number));
    return candidate;
}

} // namespace

struct PdfPrinter::Private
{
    QPrinterJob job { std::make_unique<QPrinter>(QPrinter::HighResolution) };
    Paper paper = Paper::A4;
    double margin = 0;
    int copies = 1;
    std::string outputFile;
    std::string lastOutputFile;

    void applyLayout()
    {
        QPrinter &printer = job.printer();
        printer.setPageSize(pageSizeOf(paper));
        printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    }

    void requireIdle(const char *what) const
    {
        if (job.isPrinting())
            throw ZanError(std::string("cannot change the ") + what + " during a print job");
    }
};

PdfPrinter::PdfPrinter() : d(std::make_unique<Private>())
{
    QPrinter &printer = d->job.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(defaultResolution);
    printer.setFullPage(false);
    printer.setCreator(QStringLiteral("ZAN"));
    printer.setPageOrientation(QPageLayout::Portrait);
    d->paper = paperForLocale();
    d->applyLayout();
}

PdfPrinter::~PdfPrinter()
{
    abort();
}

Paper PdfPrinter::paperForLocale()
{
    switch (QLocale::system().territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::CostaRica:
    case QLocale::Guatemala:
    case QLocale::Panama:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
    case QLocale::Venezuela:
        return Paper::Letter;
    default:
        return Paper::A4;
    }
}

void PdfPrinter::setPaper(Paper paper)
{
    d->requireIdle("paper");
    d->paper = paper;
    d->applyLayout();
}

Paper PdfPrinter::paper() const
{
    return d->paper;
}

void PdfPrinter::setResolution(int pixelsPerInch)
{
    d->requireIdle("resolution");
    if (pixelsPerInch <= 0)
        throw ZanError("resolution must be positive, got " + std::to_string(pixelsPerInch));
    d->job.printer().setResolution(pixelsPerInch);
}

void PdfPrinter::setMarginMillimetres(double margin)
{
    d->requireIdle("margins");
    d->margin = std::max(0.0, margin);
    d->applyLayout();
}

double PdfPrinter::marginMillimetres() const
{
    return d->margin;
}

std::string PdfPrinter::nextOutputFile() const
{
    if (!d->outputFile.empty())
        return d->outputFile;
    return defaultOutputFile(d->job.title()).toStdString();
}

void PdfPrinter::setOutputFile(const std::string &path)
{
    d->outputFile = path;
}

std::string PdfPrinter::outputFile() const
{
    return d->outputFile;
}

std::string PdfPrinter::lastOutputFile() const
{
    return d->lastOutputFile;
}

std::string PdfPrinter::deviceName() const
{
    return "PDF file";
}

std::string PdfPrinter::driverName() const
{
    return "PDF";
}

std::string PdfPrinter::port() const
{
    return d->outputFile.empty() ? "FILE:" : d->outputFile;
}

int PdfPrinter::pageWidth() const
{
    return d->job.pageWidth();
}

int PdfPrinter::pageHeight() const
{
    return d->job.pageHeight();
}

int PdfPrinter::deviceCaps(DeviceCap cap) const
{
    return d->job.deviceCaps(cap);
}

Orientation PdfPrinter::orientation() const
{
    return d->job.orientation();
}

void PdfPrinter::setOrientation(Orientation orientation)
{
    d->job.setOrientation(orientation);
}

std::string PdfPrinter::title() const
{
    return d->job.title();
}

void PdfPrinter::setTitle(const std::string &title)
{
    d->job.setTitle(title);
}

int PdfPrinter::copies() const
{
    return d->copies;
}

void PdfPrinter::setCopies(int copies)
{
    d->copies = copies;
}

bool PdfPrinter::canCopy() const
{
    return false;
}

void PdfPrinter::beginDoc()
{
    const QString file = QString::fromStdString(nextOutputFile());
    d->job.printer().setOutputFileName(file);
    d->job.beginDoc(file.toStdString());
    d->lastOutputFile = file.toStdString();
}

void PdfPrinter::newPage()
{
    d->job.newPage();
}

void PdfPrinter::endDoc()
{
    d->job.endDoc();
}

void PdfPrinter::abort()
{
    // Only a file the job made is removed, never a device or pipe it was writing into.
    const QString file = QString::fromStdString(d->lastOutputFile);
    if (d->job.abort() && !file.isEmpty() && QFileInfo(file).isFile())
        QFile::remove(file);
}

bool PdfPrinter::isPrinting() const
{
    return d->job.isPrinting();
}

int PdfPrinter::pageNumber() const
{
    return d->job.pageNumber();
}

Canvas &PdfPrinter::canvas()
{
    return d->job.canvas();
}

std::unique_ptr<Canvas> PdfPrinter::createMeasuringCanvas() const
{
    return d->job.createMeasuringCanvas();
}
