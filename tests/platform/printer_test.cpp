#include "device_node.h"
#include "mul_div.h"
#include "pdf_printer.h"
#include "platform/virtual_printer.h"
#include "printer.h"
#include "zan_error.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The paper measures the report window derives, in single precision as it computes them.
struct PaperMeasures
{
    float widthInches;
    float heightInches;
    int width; // trunc(width in inches x 24.5)
    int height; // trunc(height in inches x 24.5)
};

PaperMeasures measure(const Printer &printer)
{
    const float widthInches = float(printer.deviceCaps(DeviceCap::PhysicalWidth))
        / float(printer.deviceCaps(DeviceCap::LogPixelsX));
    const float heightInches = float(printer.deviceCaps(DeviceCap::PhysicalHeight))
        / float(printer.deviceCaps(DeviceCap::LogPixelsY));
    const float factor = 24.5f;
    return { widthInches, heightInches, int(widthInches * factor), int(heightInches * factor) };
}

struct CapsRow
{
    const char *name;
    VirtualPrinterSetup setup;
    Orientation orientation;
    int paperWidth;
    int paperHeight;
    int offsetX;
    int offsetY;
    int pageWidth;
    int pageHeight;
};

VirtualPrinterSetup withOffsets(VirtualPrinterSetup setup, int x, int y)
{
    setup.offsetX = x;
    setup.offsetY = y;
    return setup;
}

class VirtualPrinterCapsTest : public testing::TestWithParam<CapsRow>
{ };

TEST_P(VirtualPrinterCapsTest, ReportsSheetOffsetsAndPrintableArea)
{
    const CapsRow &row = GetParam();
    VirtualPrinter printer(row.setup);
    printer.setOrientation(row.orientation);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalWidth), row.paperWidth);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalHeight), row.paperHeight);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalOffsetX), row.offsetX);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalOffsetY), row.offsetY);
    EXPECT_EQ(printer.pageWidth(), row.pageWidth);
    EXPECT_EQ(printer.pageHeight(), row.pageHeight);
}

INSTANTIATE_TEST_SUITE_P(Sheets, VirtualPrinterCapsTest,
    testing::Values(CapsRow { "A4", VirtualPrinterSetup::a4(600), Orientation::Portrait, 4958, 7017,
                        0, 0, 4958, 7017 },
        CapsRow { "A4WithBorder", withOffsets(VirtualPrinterSetup::a4(600), 100, 50),
            Orientation::Portrait, 4958, 7017, 100, 50, 4758, 6917 },
        CapsRow { "A4Landscape", withOffsets(VirtualPrinterSetup::a4(600), 100, 50),
            Orientation::Landscape, 7017, 4958, 50, 100, 6917, 4758 },
        CapsRow { "Letter300", VirtualPrinterSetup::letter(300), Orientation::Portrait, 2550, 3300,
            0, 0, 2550, 3300 }),
    [](const testing::TestParamInfo<CapsRow> &info) { return std::string(info.param.name); });

TEST(PaperMeasuresTest, A4At600DpiGives202By286)
{
    const PaperMeasures a4 = measure(VirtualPrinter(VirtualPrinterSetup::a4(600)));
    EXPECT_EQ(a4.width, 202);
    EXPECT_EQ(a4.height, 286);
}

TEST(PaperMeasuresTest, LetterIsExactly85By11Inches)
{
    for (int ppi : { 300, 600, 1200 }) {
        const PaperMeasures letter = measure(VirtualPrinter(VirtualPrinterSetup::letter(ppi)));
        EXPECT_EQ(letter.widthInches, 8.5f) << ppi;
        EXPECT_EQ(letter.heightInches, 11.0f) << ppi;
        EXPECT_EQ(letter.width, 208);
        EXPECT_EQ(letter.height, 269);
    }
}

TEST(VirtualPrinterTest, KeepsEveryPageOfAJobWithItsDrawing)
{
    VirtualPrinter printer;
    printer.setTitle("pedigree.csv");
    printer.setCopies(2);
    printer.beginDoc();
    EXPECT_EQ(printer.pageNumber(), 1);
    printer.canvas().textOut(0, 0, "page 1");
    printer.newPage();
    printer.canvas().textOut(0, 0, "page 2");
    printer.newPage();
    printer.endDoc();
    ASSERT_EQ(printer.jobs().size(), 1u);
    const VirtualPrintJob &job = printer.jobs()[0];
    EXPECT_EQ(job.title, "pedigree.csv");
    EXPECT_EQ(job.copies, 2);
    EXPECT_TRUE(job.finished);
    ASSERT_EQ(job.pages.size(), 3u);
    EXPECT_EQ(job.pages[0].at(0).text, "page 1");
    EXPECT_EQ(job.pages[1].at(0).text, "page 2");
    EXPECT_TRUE(job.pages[2].empty());
    EXPECT_FALSE(printer.isPrinting());
}

TEST(VirtualPrinterTest, OrientationChangesFromTheNextPage)
{
    VirtualPrinter printer;
    printer.beginDoc();
    printer.setOrientation(Orientation::Landscape);
    EXPECT_EQ(printer.orientation(), Orientation::Portrait);
    printer.newPage();
    EXPECT_EQ(printer.orientation(), Orientation::Landscape);
    printer.endDoc();
    EXPECT_EQ(printer.jobs()[0].orientations,
        (std::vector<Orientation> { Orientation::Portrait, Orientation::Landscape }));
}

TEST(VirtualPrinterTest, MeasuresWithTheTestFontsAtItsResolution)
{
    VirtualPrinter printer(VirtualPrinterSetup::letter(300));
    auto canvas = printer.createMeasuringCanvas();
    canvas->setFont({ "Crystal", 9 });
    EXPECT_EQ(canvas->deviceResolutionY(), 300);
    EXPECT_EQ(canvas->textWidth("AB"), 2 * (MulDiv(9, 300, 72) * 3 / 5));
}

struct MisuseRow
{
    const char *name;
    void (*misuse)(Printer &);
    const char *message;
};

class PrinterMisuseTest : public testing::TestWithParam<MisuseRow>
{ };

TEST_P(PrinterMisuseTest, ThrowsWithAMessage)
{
    VirtualPrinter printer;
    try {
        GetParam().misuse(printer);
        FAIL() << "no exception";
    } catch (const ZanError &error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Misuses, PrinterMisuseTest,
    testing::Values(MisuseRow { "NewPageWithoutJob", [](Printer &p) { p.newPage(); },
                        "new page: no print job is running" },
        MisuseRow { "EndWithoutJob", [](Printer &p) { p.endDoc(); },
            "end of document: no print job is running" },
        MisuseRow {
            "CanvasWithoutJob", [](Printer &p) { p.canvas(); }, "canvas: no print job is running" },
        MisuseRow { "SecondBegin",
            [](Printer &p) {
                p.beginDoc();
                p.beginDoc();
            },
            "a print job is already running on Virtual printer" },
        MisuseRow { "RefusedJob",
            [](Printer &p) {
                static_cast<VirtualPrinter &>(p).failNextBeginDoc();
                p.beginDoc();
            },
            "cannot start printing on Virtual printer" }),
    [](const testing::TestParamInfo<MisuseRow> &info) { return std::string(info.param.name); });

TEST(DefaultPrinterTest, IsNoneWithoutASystemPrinter)
{
    if (!availablePrinterNames().empty())
        GTEST_SKIP() << "a system printer is installed";
    EXPECT_EQ(createDefaultPrinter(), nullptr);
}

TEST(SystemPrinterTest, UnknownNameIsRefused)
{
    EXPECT_THROW(createSystemPrinter("no such printer here"), ZanError);
}

struct PdfCapsRow
{
    const char *name;
    Paper paper;
    double margin;
    int paperWidth;
    int paperHeight;
    int offset;
    int pageWidth;
    int pageHeight;
    int measuredWidth; // trunc(inches x 24.5)
    int measuredHeight;
};

class PdfPrinterCapsTest : public testing::TestWithParam<PdfCapsRow>
{ };

TEST_P(PdfPrinterCapsTest, ReportsTheSheetAt600Dpi)
{
    const PdfCapsRow &row = GetParam();
    PdfPrinter printer;
    printer.setPaper(row.paper);
    printer.setMarginMillimetres(row.margin);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::LogPixelsX), 600);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::LogPixelsY), 600);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalWidth), row.paperWidth);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalHeight), row.paperHeight);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalOffsetX), row.offset);
    EXPECT_EQ(printer.deviceCaps(DeviceCap::PhysicalOffsetY), row.offset);
    EXPECT_EQ(printer.pageWidth(), row.pageWidth);
    EXPECT_EQ(printer.pageHeight(), row.pageHeight);
    const PaperMeasures measures = measure(printer);
    EXPECT_EQ(measures.width, row.measuredWidth);
    EXPECT_EQ(measures.height, row.measuredHeight);
}

INSTANTIATE_TEST_SUITE_P(Papers, PdfPrinterCapsTest,
    testing::Values(PdfCapsRow { "A4", Paper::A4, 0, 4958, 7017, 0, 4958, 7017, 202, 286 },
        PdfCapsRow { "A4With5mmBorder", Paper::A4, 5, 4958, 7017, 117, 4724, 6783, 202, 286 },
        PdfCapsRow { "Letter", Paper::Letter, 0, 5100, 6600, 0, 5100, 6600, 208, 269 },
        PdfCapsRow {
            "LetterWith5mmBorder", Paper::Letter, 5, 5100, 6600, 117, 4866, 6366, 208, 269 }),
    [](const testing::TestParamInfo<PdfCapsRow> &info) { return std::string(info.param.name); });

TEST(PdfPrinterTest, LetterIsExactly85By11Inches)
{
    PdfPrinter printer;
    printer.setPaper(Paper::Letter);
    const PaperMeasures measures = measure(printer);
    EXPECT_EQ(measures.widthInches, 8.5f);
    EXPECT_EQ(measures.heightInches, 11.0f);
}

// Page sizes of a PDF file, in points, from its page objects' media boxes.
std::vector<std::pair<double, double>> pdfPageSizes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString content = QString::fromLatin1(file.readAll());
    static const QRegularExpression pageObject(
        QStringLiteral(
            R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"),
        QRegularExpression::DotMatchesEverythingOption);
    std::vector<std::pair<double, double>> sizes;
    auto matches = pageObject.globalMatch(content);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        sizes.emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
    }
    return sizes;
}

TEST(PdfPrinterTest, ThreePageJobWritesThreeA4Pages)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("three.pdf"));
    PdfPrinter printer;
    printer.setPaper(Paper::A4);
    printer.setOutputFile(path.toStdString());
    printer.setTitle("three pages");
    printer.beginDoc();
    for (int page = 1; page <= 3; ++page) {
        if (page > 1)
            printer.newPage();
        printer.canvas().setFont({ "Crystal", 9 });
        printer.canvas().textOut(100, 100, "page " + std::to_string(page));
        EXPECT_EQ(printer.pageNumber(), page);
    }
    printer.endDoc();
    EXPECT_EQ(printer.lastOutputFile(), path.toStdString());
    const auto sizes = pdfPageSizes(path);
    ASSERT_EQ(sizes.size(), 3u);
    for (const auto &[width, height] : sizes) {
        EXPECT_NEAR(width, 595, 1);
        EXPECT_NEAR(height, 842, 1);
    }
}

TEST(PdfPrinterTest, WithoutAFileNameDoesNotOverwriteAnEarlierReport)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    PdfPrinter printer;
    printer.setTitle("pedigree.csv");
    std::vector<std::string> written;
    for (int job = 0; job < 2; ++job) {
        printer.beginDoc();
        printer.endDoc();
        written.push_back(printer.lastOutputFile());
    }
    qputenv("HOME", oldHome);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_NE(written[0], written[1]);
    EXPECT_TRUE(QString::fromStdString(written[0]).endsWith(QStringLiteral("/pedigree.pdf")));
    EXPECT_TRUE(QString::fromStdString(written[1]).endsWith(QStringLiteral("/pedigree (2).pdf")));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(written[0])));
}

TEST(PdfPrinterTest, AbortRemovesThePartFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("aborted.pdf"));
    PdfPrinter printer;
    printer.setOutputFile(path.toStdString());
    printer.beginDoc();
    printer.canvas().textOut(0, 0, "x");
    printer.abort();
    EXPECT_FALSE(printer.isPrinting());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(PdfPrinterTest, AbortKeepsADeviceItWroteInto)
{
    QTemporaryDir folder;
    const std::string null = memoryDeviceNode(folder.path().toStdString(), MemoryDevice::Null);
    PdfPrinter printer;
    printer.setOutputFile(null);
    printer.beginDoc();
    printer.abort();
    struct stat status;
    ASSERT_EQ(::lstat(null.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

TEST(PdfPrinterTest, UnwritableFileIsReported)
{
    PdfPrinter printer;
    printer.setOutputFile("/nonexistent-folder/report.pdf");
    EXPECT_THROW(printer.beginDoc(), ZanError);
    EXPECT_FALSE(printer.isPrinting());
}

} // namespace
