// The report window on a 2048-bird pedigree (61 pages on A4): from Analyze to the first page on
// screen, and a page change with the scroll bar until the new page is on screen.

#include "pedigree_2048.h"

#include "app/pedigree_document.h"
#include "grid/edit_grid.h"
#include "platform/pdf_printer.h"
#include "print/dv_print.h"
#include "print/dv_print_preview.h"
#include "report/report_analysis.h"
#include "report/report_plain_text.h"
#include "report/report_window.h"

#include <QApplication>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int ReferencePages = 61;
// FNV-1a of the report text without file and date lines, as the batch benchmark checks it.
constexpr std::uint64_t ReferenceChecksum = 2222509556585483649ull;

std::uint64_t textChecksum(const std::string &text)
{
    std::uint64_t hash = 14695981039346656037ull;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.find("Page:") != std::string::npos || line.find("File = ") != std::string::npos)
            continue;
        for (unsigned char c : line + "\n")
            hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

// The pedigree loaded into a grid as the main window holds it, an A4 PDF printer as the window's
// printer, and the window shown at its design size.
struct Setup
{
    fs::path file;
    TEditGrid grid;
    PedigreeDocument document { grid };
    std::unique_ptr<TZAN_printF> window;

    Setup()
    {
        file = fs::temp_directory_path()
            / ("zan-window-bench-" + std::to_string(::getpid()) + ".csv");
        std::ofstream(file, std::ios::binary) << bench2048::pedigreeCsv();
        PedigreeDocument::setUpPedigreeGrid(grid);
        document.open(file.string());
        auto printer = std::make_unique<PdfPrinter>();
        printer->setPaper(Paper::A4);
        window = std::make_unique<TZAN_printF>();
        window->setPrinter(std::move(printer));
    }
    ~Setup() { fs::remove_all(file); }

    TDVPrintPreview &preview() { return *window->findChild<TDVPrintPreview *>("DVPrintPreview1"); }
    QScrollBar &scrollBar() { return *window->findChild<QScrollBar *>("ScrollBar1"); }

    // Analyze as the main window calls it, until page 1 has been drawn in the preview.
    void analyzeToFirstPage()
    {
        window->showAnalysis(document);
        while (window->isBusy() || !window->DVPrint1().Formatted())
            QCoreApplication::processEvents();
        preview().viewport()->repaint();
    }
};

Setup &setup()
{
    static Setup instance;
    return instance;
}

void check(benchmark::State &state, TZAN_printF &window)
{
    const int pages = window.DVPrint1().GetPagesCount();
    if (pages != ReferencePages)
        state.SkipWithError(("pages " + std::to_string(pages)).c_str());
    const std::uint64_t checksum = textChecksum(reportPlainText(window.analysis().OutPut()));
    if (checksum != ReferenceChecksum)
        state.SkipWithError(("text checksum " + std::to_string(checksum)).c_str());
}

void BM_AnalyzeToFirstPage(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        s.analyzeToFirstPage();
        state.PauseTiming();
        check(state, *s.window);
        s.window->ReturnClick();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnalyzeToFirstPage)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void BM_PageChange(benchmark::State &state)
{
    Setup &s = setup();
    s.analyzeToFirstPage();
    check(state, *s.window);
    int page = 1;
    for (auto _ : state) {
        page = page % ReferencePages + 1;
        s.scrollBar().setValue(page);
        s.preview().viewport()->repaint();
    }
    if (s.preview().PageNo() != page)
        state.SkipWithError("the preview did not follow the scroll bar");
    s.window->ReturnClick();
}
BENCHMARK(BM_PageChange)->Unit(benchmark::kMillisecond)->Iterations(60)->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
