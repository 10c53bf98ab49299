// Real output: a report-like document printed to a PDF file and shown in the preview widget, with
// the real fonts. Set ZAN_PRINT_SNAPSHOTS to a folder to keep the PDF and the preview images.

#include "docview/doc_view.h"
#include "platform/bitmap.h"
#include "platform/pdf_printer.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int reportPages = 3;
constexpr int linesPerPage = 80;

int countPdfPages(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = file.readAll();
    int pages = 0;
    for (qsizetype at = data.indexOf("/Type /Page"); at >= 0;
         at = data.indexOf("/Type /Page", at + 1)) {
        if (data.mid(at + 11, 1) != "s")
            ++pages;
    }
    return pages;
}

// A chart drawn with the report's box bytes, a heading and numbered table rows.
std::string reportLine(int page, int line)
{
    if (line == 0)
        return "ZAN pedigree analysis - page " + std::to_string(page);
    if (line % 10 == 1)
        return "\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC2\xC4\xC4\xC4\xC4 A1234567 \xC3\xC4\xC4 B7654321";
    if (line % 10 == 2)
        return "\xB3      \xB3    \xC0\xC4\xC4\xC4 C1111111";
    std::string row = std::to_string(line);
    row.insert(0, 4 - row.size(), ' ');
    return row + "  BAND" + std::to_string(page * 1000 + line)
        + "  SIRE  DAM   12.50   25.00   3   7   0.7812  "
          "1234567890123456789012345678901234567890123456789012345678";
}

class PrintOutputTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const char *keep = std::getenv("ZAN_PRINT_SNAPSHOTS");
        folder = keep ? std::string(keep) : temporary.path().toStdString();
        pdf.setPaper(Paper::A4);
        pdf.setMarginMillimetres(5);
        pdfFile = folder + "/print_output.pdf";
        QFile::remove(QString::fromStdString(pdfFile));
        pdf.setOutputFile(pdfFile);
        print.setPrinter(&pdf);

        sheet = CreateReportStyleSheet();
        view.SetStyle(sheet.get());
        view.LeftMargin = view.RightMargin = view.TopMargin = view.BottomMargin = 0;
        view.Color = clWhite;
        Bitmap watermark(340, 340, rgbColor(235, 240, 255));
        view.SetBackgroundBitmap(watermark);
        view.SetBackgroundStyle(bsCentered);
        for (int page = 1; page <= reportPages; ++page) {
            // The last page is half full and ends with a rule.
            const int lines = page == reportPages ? linesPerPage / 2 : linesPerPage;
            for (int line = 0; line < lines; ++line)
                view.AddNL(reportLine(page, line), line == 0 ? 1 : 0, line == 0 ? 1 : 0);
            view.SetPageBreaksBeforeItems(view.GetLineCount() - lines, true);
        }
        view.AddBreak();
        view.Format();
        print.SetLM(14);
        print.SetRM(14);
        print.SetTM(30);
        print.SetBM(29);
        print.SetTransparentBackground(true);
        print.DocView().Flags.erase(dvflUseExternalLeading);
        print.AssignSource(view);
        print.FormatPages();
    }

    void keep(const QImage &image, const std::string &name)
    {
        image.save(QString::fromStdString(folder + "/" + name));
    }

    QTemporaryDir temporary;
    std::string folder;
    std::string pdfFile;
    std::unique_ptr<TDVStyle> sheet;
    PdfPrinter pdf;
    TDocView view;
    TDVPrint print;
};

TEST_F(PrintOutputTest, PdfHasOnePagePerFormattedPage)
{
    ASSERT_EQ(print.GetPagesCount(), reportPages);
    print.Print("print_output.csv", 1, false);
    EXPECT_EQ(countPdfPages(pdfFile), reportPages);
}

TEST_F(PrintOutputTest, PreviewShowsPageOnWorkspaceAtFullPageAndHundredPercent)
{
    TDVPrintPreview preview;
    preview.resize(600, 700);
    preview.show();
    preview.MarginsPen.style = PenStyle::InsideFrame;
    preview.SetDVPrint(&print);
    preview.SetZoomMode(dvzmFullPage);
    preview.First();

    const QImage fullPage = preview.viewport()->grab().toImage();
    keep(fullPage, "preview_full_page.png");
    const Rect page = preview.PageRect();
    const QColor workspace = fullPage.pixelColor(2, 2);
    EXPECT_EQ(workspace.rgb() & 0xFFFFFF,
        QColor(redOf(colorToRgb(clAppWorkSpace)), greenOf(colorToRgb(clAppWorkSpace)),
            blueOf(colorToRgb(clAppWorkSpace)))
                .rgb()
            & 0xFFFFFF);
    // The paper is white in its top-left corner (inside the margins) and carries dark text.
    EXPECT_EQ(fullPage.pixelColor(page.left + 3, page.top + 3), QColor(Qt::white));
    int darkPixels = 0;
    for (int y = page.top; y < page.bottom; ++y)
        for (int x = page.left; x < page.right; ++x)
            darkPixels += fullPage.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(darkPixels, 500);

    preview.SetZoom(100);
    const QImage hundred = preview.viewport()->grab().toImage();
    keep(hundred, "preview_100_percent.png");
    EXPECT_EQ(preview.ZoomedPageWidth(), print.GetPreview100PercentWidth());
    EXPECT_GT(preview.ZoomedPageHeight(), preview.ClientHeight());
    EXPECT_TRUE(preview.verticalScrollBar()->isVisible());
    EXPECT_TRUE(preview.horizontalScrollBar()->isVisible());
    keep(preview.grab().toImage(), "preview_100_percent_widget.png");
}

} // namespace
