// `zan report` of a 2048-bird pedigree: loading the file, the analysis and the text output, and
// the same with pagination and printing to PDF. The pedigree is built once from a fixed seed.

#include "app/command_line.h"
#include "app/report_command.h"

#include "pedigree_2048.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Files
{
    fs::path folder;
    fs::path pedigree;
    fs::path pdf;

    Files()
    {
        folder = fs::temp_directory_path() / ("zan-report-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        pedigree = folder / "pedigree2048.csv";
        pdf = folder / "report.pdf";
        std::ofstream(pedigree, std::ios::binary) << bench2048::pedigreeCsv();
    }
    ~Files() { fs::remove_all(folder); }
};

Files &files()
{
    static Files instance;
    return instance;
}

ReportOptions options(bool pdf)
{
    ReportOptions result;
    result.inputFile = files().pedigree.string();
    result.paper = PaperChoice::A4;
    if (pdf)
        result.pdfFile = files().pdf.string();
    return result;
}

// FNV-1a of the report text without its file and date lines, which change from run to run.
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

// Page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int pdfPages(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    int count = 0;
    for (size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at)) {
        at += 5;
        while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at])))
            ++at;
        if (bytes.compare(at, 5, "/Page") == 0 && bytes.compare(at, 6, "/Pages") != 0)
            ++count;
    }
    return count;
}

int pageHeaders(const std::string &text)
{
    int count = 0;
    for (size_t at = text.find("File = "); at != std::string::npos;
         at = text.find("File = ", at + 1))
        ++count;
    return count;
}

// The text of the reference run: 2048 listing rows on 28 pages, the chart, 2048 birds on 31
// pages, the pedigree depth.
constexpr std::uint64_t ReferenceChecksum = 2222509556585483649ull;
constexpr int ReferencePages = 28 + 1 + 31 + 1;

void checkText(benchmark::State &state, const std::string &text)
{
    const int headers = pageHeaders(text);
    if (headers != ReferencePages)
        state.SkipWithError(("page headers " + std::to_string(headers)).c_str());
    const std::uint64_t checksum = textChecksum(text);
    if (checksum != ReferenceChecksum)
        state.SkipWithError(("text checksum " + std::to_string(checksum)).c_str());
    state.counters["checksum"] = static_cast<double>(checksum % 1000000);
}

void BM_ReportToText(benchmark::State &state)
{
    const ReportOptions text = options(false);
    std::string output;
    for (auto _ : state) {
        std::ostringstream out, errors;
        if (runReportCommand(text, out, errors) != 0)
            state.SkipWithError(errors.str().c_str());
        output = out.str();
    }
    checkText(state, output);
}
BENCHMARK(BM_ReportToText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReportToPdf(benchmark::State &state)
{
    const ReportOptions pdf = options(true);
    for (auto _ : state) {
        std::ostringstream out, errors;
        if (runReportCommand(pdf, out, errors) != 0)
            state.SkipWithError(errors.str().c_str());
    }
    const int pages = pdfPages(files().pdf);
    if (pages != ReferencePages)
        state.SkipWithError(("PDF pages " + std::to_string(pages)).c_str());
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

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
