// Page formatting of a report-like document for a 600-dpi PDF printer, and the preview showing
// another page (recording and painting) or repainting the same page from its picture.

#include "docview/doc_view.h"
#include "platform/painter_canvas.h"
#include "platform/pdf_printer.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int reportPages = 60;
constexpr int linesPerPage = 80;
constexpr int charactersPerLine = 118;

// One line of a fixed-width report: digits, band letters, spaces and box-drawing bytes.
std::string reportLine(std::mt19937 &random)
{
    static const char alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ   .-/";
    static const unsigned char boxes[] = { 0xC4, 0xB3, 0xDA, 0xC0, 0xC3, 0xC2 };
    std::string line;
    for (int i = 0; i < charactersPerLine; ++i) {
        const unsigned pick = random() % 100;
        if (pick < 8)
            line += char(boxes[random() % sizeof boxes]);
        else
            line += alphabet[random() % (sizeof alphabet - 1)];
    }
    return line;
}

// The report's document: 80 lines a page, a page break before each page header, the report
// window's margins fitted to a 182 x 238 mm block.
struct ReportDocument
{
    ReportDocument() : sheet(CreateReportStyleSheet())
    {
        printer.setPaper(Paper::A4);
        print.setPrinter(&printer);
        view.SetStyle(sheet.get());
        view.LeftMargin = view.RightMargin = view.TopMargin = view.BottomMargin = 0;
        std::mt19937 random(20240611);
        for (int page = 0; page < reportPages; ++page) {
            for (int line = 0; line < linesPerPage; ++line)
                view.AddNL(reportLine(random), 0, 0);
            view.SetPageBreaksBeforeItems(view.GetLineCount() - linesPerPage, true);
        }
        view.Format();
        print.SetLM(14);
        print.SetRM(14);
        print.SetTM(30);
        print.SetBM(29);
        print.SetTransparentBackground(true);
        print.DocView().Flags.erase(dvflUseExternalLeading);
        print.AssignSource(view);
    }

    std::unique_ptr<TDVStyle> sheet;
    PdfPrinter printer;
    TDocView view;
    TDVPrint print;
};

ReportDocument &document()
{
    static ReportDocument instance;
    return instance;
}

// Sum over the pages' first drawing items and tops: a wrong paging changes it.
std::uint64_t pagesChecksum(const TDVPrint &print)
{
    std::uint64_t sum = 0;
    for (const TDVPageInfo &page : print.DocView().PrintData().Pages)
        sum = (sum * 31 + std::uint64_t(page.FirstDrawItem) * 7 + std::uint64_t(page.TopY))
            % 1000000007;
    return sum;
}

// Paging of the fixed-seed report with the project's "Crystal" face on an A4 PDF printer.
constexpr std::uint64_t referenceChecksum = 870266860;

void checkPaging(benchmark::State &state, const TDVPrint &print)
{
    if (print.GetPagesCount() != reportPages) {
        state.SkipWithError("the report did not come out as 60 pages");
        return;
    }
    if (pagesChecksum(print) != referenceChecksum) {
        state.SkipWithError("the pages differ from the reference paging");
        return;
    }
    state.counters["pages"] = print.GetPagesCount();
    state.counters["drawItems"] = print.DocView().PrintData().DrawItems.Count();
    state.counters["checksum"] = double(pagesChecksum(print));
}

void BM_FormatPages60(benchmark::State &state)
{
    ReportDocument &doc = document();
    for (auto _ : state) {
        doc.print.FormatPages();
        benchmark::DoNotOptimize(doc.print.GetPagesCount());
    }
    checkPaging(state, doc.print);
}
BENCHMARK(BM_FormatPages60)->Unit(benchmark::kMillisecond);

struct PreviewSetup
{
    PreviewSetup() : image(800, 800, QImage::Format_RGB32)
    {
        ReportDocument &doc = document();
        doc.print.FormatPages();
        preview.resize(800, 800);
        preview.SetDVPrint(&doc.print);
        preview.SetZoomMode(dvzmFullPage);
        preview.First();
    }

    void paint()
    {
        PainterCanvas canvas(&image);
        preview.PaintTo(canvas);
    }

    TDVPrintPreview preview;
    QImage image;
};

void BM_PreviewAnotherPage(benchmark::State &state)
{
    PreviewSetup setup;
    int page = 1;
    for (auto _ : state) {
        page = page % reportPages + 1;
        setup.preview.SetPageNo(page);
        setup.paint();
    }
    state.counters["recordings"] = setup.preview.PageImageRecordings();
    if (setup.preview.PageImageRecordings() != int(state.iterations()))
        state.SkipWithError("every page change must record the page once");
}
BENCHMARK(BM_PreviewAnotherPage)->Unit(benchmark::kMillisecond);

void BM_PreviewRepaintSamePage(benchmark::State &state)
{
    PreviewSetup setup;
    setup.paint();
    for (auto _ : state)
        setup.paint();
    if (setup.preview.PageImageRecordings() != 1)
        state.SkipWithError("repainting must replay the recorded page");
}
BENCHMARK(BM_PreviewRepaintSamePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
