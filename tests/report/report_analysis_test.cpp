#include "report_fixture.h"

#include "report/report_analysis.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "platform/pdf_printer.h"
#include "platform/virtual_printer.h"
#include "platform/zan_error.h"
#include "print/dv_print.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

VirtualPrinterSetup paper(int width, int height, int offsetX = 0, int offsetY = 0, int ppi = 600)
{
    VirtualPrinterSetup setup;
    setup.resolutionX = setup.resolutionY = ppi;
    setup.paperWidth = width;
    setup.paperHeight = height;
    setup.offsetX = offsetX;
    setup.offsetY = offsetY;
    return setup;
}

struct GeometryCase
{
    const char *name;
    VirtualPrinterSetup setup;
    PageMargins margins;
    bool paperLine;
};

class ReportAnalysisGeometry : public testing::TestWithParam<GeometryCase>
{ };

TEST_P(ReportAnalysisGeometry, SetsTheMarginsAndChecksThePaper)
{
    const GeometryCase &c = GetParam();
    VirtualPrinter printer(c.setup);
    ReportAnalysis analysis;
    analysis.setPrinter(&printer);
    RowsSource source({ { "P", "S", "D" } });
    analysis.compose(source);

    TDVPrint &print = analysis.DVPrint1();
    EXPECT_EQ(
        (PageMargins { print.GetLM(), print.GetRM(), print.GetTM(), print.GetBM() }), c.margins)
        << print.GetLM() << " " << print.GetRM() << " " << print.GetTM() << " " << print.GetBM();

    const std::vector<ReportLine> lines = documentLines(analysis.OutPut());
    ASSERT_GE(lines.size(), 2u);
    if (c.paperLine) {
        EXPECT_EQ(lines[0], (ReportLine { ReportText::PaperWarning, 2, 1, false }));
        EXPECT_EQ(lines[1], (ReportLine { fileLine("/lofts/test.csv"), 1, 1, false }));
    } else {
        EXPECT_EQ(lines[0], (ReportLine { fileLine("/lofts/test.csv"), 1, 1, false }));
    }
}

INSTANTIATE_TEST_SUITE_P(Printers, ReportAnalysisGeometry,
    testing::Values(
        GeometryCase { "Letter600", VirtualPrinterSetup::letter(600), { 13, 11, 16, 15 }, false },
        GeometryCase { "A4At600", VirtualPrinterSetup::a4(600), { 10, 8, 24, 24 }, false },
        GeometryCase { "A4At300", VirtualPrinterSetup::a4(300), { 10, 8, 24, 24 }, false },
        // 0.3 in. unprintable on the left of a narrow sheet: halve(9) = 5 is raised to 8.
        GeometryCase {
            "LeftOffsetOfPointThreeInch", paper(4680, 6600, 180, 0), { 8, -1, 16, 15 }, true },
        // W = 203: the odd millimetre goes to the left (11), the right gets 10 - 2.
        GeometryCase { "OddWidth", paper(4974, 7017), { 11, 8, 24, 24 }, true },
        GeometryCase { "A4Landscape", paper(7017, 4958), { 52, 50, 5, -41 }, true },
        GeometryCase { "Legal", paper(5100, 8400), { 13, 11, 53, 52 }, true },
        GeometryCase { "A5", paper(3496, 4960), { 7, -49, 5, -41 }, true }),
    [](const testing::TestParamInfo<GeometryCase> &info) { return std::string(info.param.name); });

std::vector<PedigreeRow> tree(int birds)
{
    // Bird i (from 1) has the parents 2i and 2i + 1 where they exist: a full tree.
    std::vector<PedigreeRow> rows;
    for (int i = 1; i <= birds; ++i) {
        const int sire = 2 * i <= birds ? 2 * i : 0;
        const int dam = 2 * i + 1 <= birds ? 2 * i + 1 : 0;
        auto band = [](int n) { return n == 0 ? std::string() : "NL-2020-" + std::to_string(n); };
        rows.push_back({ band(i), band(sire), band(dam) });
    }
    return rows;
}

int pageHeaders(const std::vector<ReportLine> &lines)
{
    int count = 0;
    for (const ReportLine &line : lines)
        count += line.text.rfind("File = ", 0) == 0;
    return count;
}

class ReportAnalysisPages : public testing::TestWithParam<std::pair<const char *, Paper>>
{ };

// With the real report font every line fits the text block: the printer pages are exactly the
// composed pages, and no line wraps.
TEST_P(ReportAnalysisPages, OnePrinterPagePerPageHeader)
{
    PdfPrinter pdf;
    pdf.setPaper(GetParam().second);
    ReportAnalysis analysis;
    analysis.setPrinter(&pdf);
    std::vector<std::pair<int, TDVPrintingStep>> events;
    analysis.setFormattingProgress(
        [&](int pages, TDVPrintingStep step) { events.emplace_back(pages, step); });

    RowsSource source(tree(300));
    const int pages = analysis.run(source);
    const std::vector<ReportLine> lines = documentLines(analysis.OutPut());
    EXPECT_EQ(pages, pageHeaders(lines));
    // 300 rows on 5 listing pages, the chart, 300 birds on 5 pages, the pedigree depth.
    EXPECT_EQ(pages, 5 + 1 + 5 + 1);

    const TDVDrawLines &drawn = analysis.DVPrint1().DocView().DVData().DrawItems;
    int startedLines = 0;
    for (int i = 0; i < drawn.Count(); ++i)
        startedLines += drawn[i].StartsLine();
    EXPECT_EQ(startedLines, analysis.OutPut().GetLineCount()) << "a line wrapped";

    ASSERT_EQ(events.size(), static_cast<size_t>(pages + 3));
    EXPECT_EQ(events.front(), std::make_pair(0, dvpsStarting));
    EXPECT_EQ(events[1], std::make_pair(0, dvpsProceeding));
    EXPECT_EQ(events[2], std::make_pair(1, dvpsProceeding));
    EXPECT_EQ(events.back(), std::make_pair(pages, dvpsFinished));
}

INSTANTIATE_TEST_SUITE_P(Paper, ReportAnalysisPages,
    testing::Values(std::make_pair("A4", Paper::A4), std::make_pair("Letter", Paper::Letter)),
    [](const auto &info) { return std::string(info.param.first); });

TEST(ReportAnalysis, PrintCopyLeavesOutExternalLeading)
{
    VirtualPrinter printer(VirtualPrinterSetup::a4(600));
    ReportAnalysis analysis;
    analysis.setPrinter(&printer);
    RowsSource source({ { "P", "S", "D" } });
    analysis.run(source);
    EXPECT_FALSE(analysis.DVPrint1().DocView().Flags.contains(dvflUseExternalLeading));
    EXPECT_TRUE(analysis.OutPut().Flags.contains(dvflUseExternalLeading));
    EXPECT_TRUE(analysis.DVPrint1().Formatted());
}

TEST(ReportAnalysis, WithoutAPrinterNothingIsComposed)
{
    ReportAnalysis analysis;
    RowsSource source({ { "P", "S", "D" } });
    EXPECT_THROW(analysis.run(source), ZanError);
    EXPECT_EQ(analysis.OutPut().GetLineCount(), 0);
}

TEST(ReportAnalysis, DateTextUsesTheShortMonthName)
{
    std::tm time {};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 1;
    time.tm_hour = 0;
    time.tm_min = 0;
    EXPECT_EQ(reportDateText(time), "Dec. 01, 2026 00:00");
}

} // namespace
