#include "report_fixture.h"

#include "report/depth_chart.h"
#include "report/depth_text.h"
#include "report/report_analysis.h"
#include "report/report_json.h"
#include "report/report_plain_text.h"
#include "report/report_text.h"

#include "engine/pedigree_depth.h"
#include "platform/pdf_printer.h"
#include "platform/test_canvas.h"
#include "platform/virtual_printer.h"
#include "print/dv_print.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::vector<PedigreeRow> fullSibMating = {
    { "PIGEON", "SIRE", "DAM" },
    { "SIRE", "GRANDSIRE", "GRANDDAM" },
    { "DAM", "GRANDSIRE", "GRANDDAM" },
};

// A line of full-sib matings `generations` deep above the pedigreed bird "P".
std::vector<PedigreeRow> fullSibLine(int generations)
{
    const auto cock = [](int g) { return "C" + std::to_string(g); };
    const auto hen = [](int g) { return "H" + std::to_string(g); };
    std::vector<PedigreeRow> rows { { "P", cock(1), hen(1) } };
    for (int g = 1; g < generations; ++g) {
        rows.push_back({ cock(g), cock(g + 1), hen(g + 1) });
        rows.push_back({ hen(g), cock(g + 1), hen(g + 1) });
    }
    return rows;
}

class DepthPage : public testing::Test
{
protected:
    void SetUp() override
    {
        m_printer = std::make_unique<VirtualPrinter>(VirtualPrinterSetup::a4(600));
        m_analysis.setPrinter(m_printer.get());
    }

    void usePrinter(std::unique_ptr<Printer> printer)
    {
        m_printer = std::move(printer);
        m_analysis.setPrinter(m_printer.get());
    }

    std::vector<ReportLine> compose(std::vector<PedigreeRow> rows)
    {
        RowsSource source(std::move(rows));
        m_analysis.compose(source);
        return documentLines(m_analysis.OutPut());
    }

    // Items from the last page header that shows the depth title to the end.
    std::vector<ReportLine> depthPage(const std::vector<ReportLine> &lines)
    {
        size_t title = lines.size();
        while (title > 0 && lines[title - 1].text != DepthText::Title)
            --title;
        return { lines.begin() + static_cast<std::ptrdiff_t>(title - 7), lines.end() };
    }

    int reservedLines()
    {
        int count = 0;
        for (int i = 0; i < m_analysis.OutPut().GetLineCount(); ++i)
            count += m_analysis.OutPut().GetItemTag(i) == DepthChart::ReservedTag;
        return count;
    }

    std::unique_ptr<Printer> m_printer;
    ReportAnalysis m_analysis;
};

TEST_F(DepthPage, FollowsTheTableWithTheFiguresAndTheChartBlock)
{
    const std::vector<ReportLine> lines = compose(fullSibMating);
    const std::vector<ReportLine> page = depthPage(lines);
    ASSERT_GT(page.size(), 12u);
    EXPECT_EQ(page[0].text, fileLine("/lofts/test.csv"));
    EXPECT_TRUE(page[0].pageBreak);
    EXPECT_EQ(page[1].text.substr(111), "Page: 4");
    EXPECT_EQ(page[4], (ReportLine { inbreedingLine(25.0), 2, 1, false }));
    EXPECT_EQ(page[6], (ReportLine { DepthText::Title, 2, 1, false }));
    EXPECT_EQ(page[8], normal(depthHeading()));
    EXPECT_EQ(page[10].text, "  1               2               2   100.00        2     0.00");
    EXPECT_EQ(page[11].text, "  2               4               4   100.00        2    25.00");
    EXPECT_EQ(page[13].text, depthSummaryLine("EQUIVALENT COMPLETE GENERATIONS", 2.0, false));
    EXPECT_EQ(page[14].text.substr(page[14].text.size() - 7), " 25.00%");
    EXPECT_EQ(page[16].text.substr(page[16].text.size() - 7), " 66.67%");
    EXPECT_EQ(reservedLines(), DepthChart::ReservedLines);
    EXPECT_EQ(page.size(), 19u + DepthChart::ReservedLines);
    // The ancestor table still closes the page before.
    EXPECT_EQ(lines[lines.size() - page.size() - 1].text, closingLine(5));
}

TEST_F(DepthPage, AfterAFailedComputeHasTheHeadingsAlone)
{
    const std::vector<ReportLine> page = depthPage(compose({ { "A", "B", "" }, { "B", "A", "" } }));
    ASSERT_EQ(page.size(), 10u);
    EXPECT_EQ(page[3], (ReportLine { "compute not done.", 2, 1, false }));
    EXPECT_EQ(page[9], normal(depthUnderline()));
    EXPECT_EQ(reservedLines(), 0);
}

TEST_F(DepthPage, ChartTakesAPageOfItsOwnWhenTheGenerationsFillTheFirst)
{
    usePrinter(std::make_unique<PdfPrinter>()); // the real report font
    const std::vector<ReportLine> lines = compose(fullSibLine(48));
    EXPECT_EQ(reservedLines(), DepthChart::ReservedLines);
    const std::vector<ReportLine> page = depthPage(lines);
    EXPECT_TRUE(page[0].pageBreak);
    EXPECT_EQ(page.size(), 7u + 1 + DepthChart::ReservedLines);
    // Every page fits on paper: one printer page per page header.
    int headers = 0;
    for (const ReportLine &line : lines)
        headers += line.text == fileLine("/lofts/test.csv");
    EXPECT_EQ(m_analysis.paginate(), headers);
}

TEST_F(DepthPage, TextLeavesTheChartOut)
{
    const std::vector<ReportLine> lines = compose(fullSibMating);
    const std::string text = reportPlainText(m_analysis.OutPut());
    EXPECT_EQ(static_cast<int>(std::count(text.begin(), text.end(), '\n')),
        static_cast<int>(lines.size()) - DepthChart::ReservedLines);
    EXPECT_EQ(text.substr(text.size() - 3 - std::string(DepthText::GenerationNote).size()),
        std::string(DepthText::GenerationNote) + "\n \n");
}

// The chart is drawn by the page drawing over the reserved block of the last page only, inside
// the text area, with a bar per generation and one line through the inbreeding figures.
TEST_F(DepthPage, ChartIsDrawnOverTheReservedBlock)
{
    compose(fullSibLine(3));
    const int pages = m_analysis.paginate();
    TPrintableDVData &data = m_analysis.DVPrint1().DocView().PrintData();
    int blockTop = 0;
    for (int d = 0; d < data.DrawItems.Count(); ++d)
        if (data.Items().ItemAt(data.DrawItems[d].ItemNo).Tag == DepthChart::ReservedTag) {
            blockTop = data.DrawItems[d].Top - data.GetTopCoord(pages);
            break;
        }
    const auto draw = [&](int page) {
        TestCanvas canvas(600, 600);
        m_analysis.DVPrint1().DocView().DrawPage(page, canvas, false, false);
        return canvas.calls();
    };
    for (const DrawCall &call : draw(pages - 1))
        EXPECT_NE(call.kind, DrawCall::Kind::Polyline);

    int bars = 0;
    int lines = 0;
    bool legend = false;
    for (const DrawCall &call : draw(pages)) {
        if (call.kind == DrawCall::Kind::Rectangle && call.brush.color != clWhite) {
            EXPECT_GE(call.rect.top, blockTop);
            ++bars;
        }
        if (call.kind == DrawCall::Kind::Polyline) {
            ++lines;
            ASSERT_EQ(call.points.size(), 3u);
            // F rises 0, 25, 37.5 %: the line climbs (smaller y) from generation to generation.
            EXPECT_GT(call.points[0].y, call.points[1].y);
            EXPECT_GT(call.points[1].y, call.points[2].y);
        }
        legend = legend || call.text == "ZAN PCNT BY DEPTH (RIGHT SCALE)";
    }
    EXPECT_EQ(bars, 3 + 1); // the bars and the legend's sample
    EXPECT_EQ(lines, 1);
    EXPECT_TRUE(legend);
}

TEST(DepthChartLayout, RightScaleReachesTheHighestInbreeding)
{
    pedigree_depth depth;
    for (int g = 1; g <= 40; ++g)
        depth.generations.push_back({ g, 1, 2, 0.5, 1, 0.0031 * g });
    const DepthChart::Layout layout = DepthChart::layOut({ 0, 0, 4000, 3000 }, 60, 36, depth);
    EXPECT_EQ(layout.inbreedingTop, 20.0); // 12.4 % rounds up to 20
    EXPECT_EQ(layout.plot.width(), 40 * layout.slot);
    EXPECT_GE(layout.slot * layout.labelEvery, 4 * 36);
    EXPECT_LT(layout.plot.right, 4000);
}

TEST_F(DepthPage, JsonHoldsTheTableAndTheDepthFigures)
{
    compose(fullSibMating);
    const QJsonObject json
        = QJsonDocument::fromJson(QByteArray::fromStdString(analysisJson(m_analysis, "f.csv")))
              .object();
    EXPECT_EQ(json["file"].toString(), "f.csv");
    EXPECT_TRUE(json["computed"].toBool());
    EXPECT_EQ(json["pedigreed_bird"]["band"].toString(), "PIGEON");
    EXPECT_DOUBLE_EQ(json["pedigreed_bird"]["inbreeding"].toDouble(), 25.0);
    const QJsonArray ancestors = json["ancestors"].toArray();
    ASSERT_EQ(ancestors.size(), 5);
    const QJsonObject grandsire = ancestors[0].toObject();
    EXPECT_EQ(grandsire["band"].toString(), "GRANDSIRE");
    EXPECT_EQ(grandsire["first_generation"].toInt(), 3);
    EXPECT_DOUBLE_EQ(grandsire["contribution"].toDouble(), 12.5);
    EXPECT_EQ(ancestors[4]["sire"].toString(), "SIRE");
    EXPECT_EQ(grandsire.size(), 17); // every column of the table
    const QJsonArray generations = json["generations"].toArray();
    ASSERT_EQ(generations.size(), 2);
    EXPECT_EQ(generations[1]["known"].toInt(), 4);
    EXPECT_EQ(generations[1]["distinct"].toInt(), 2);
    EXPECT_DOUBLE_EQ(generations[1]["inbreeding"].toDouble(), 25.0);
    EXPECT_DOUBLE_EQ(json["equivalent_complete_generations"].toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(json["pci4"].toDouble(), 25.0);
    EXPECT_DOUBLE_EQ(json["ancestral_loss_all"].toDouble(), 400.0 / 6);
}

} // namespace
