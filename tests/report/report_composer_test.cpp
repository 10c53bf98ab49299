#include "report_fixture.h"

#include "report/report_analysis.h"
#include "report/report_text.h"

#include "docview/doc_view.h"
#include "platform/virtual_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string File = "/lofts/test.csv";
const std::string Date = "Mar. 09, 2026 05:07";

std::string pad(const std::string &text, size_t width = 18)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string blanks(size_t count)
{
    return std::string(count, ' ');
}

// Composes the report of `rows` for an A4 printer at 600 dpi on the fixed date.
class ReportComposition : public testing::Test
{
protected:
    void SetUp() override
    {
        m_analysis.setPrinter(&m_printer);
        std::tm time {};
        time.tm_year = 2026 - 1900;
        time.tm_mon = 2;
        time.tm_mday = 9;
        time.tm_hour = 5;
        time.tm_min = 7;
        m_analysis.setReportTime(time);
        ASSERT_EQ(reportDateText(time), Date) << "the tests expect an English locale";
    }

    std::vector<ReportLine> compose(std::vector<PedigreeRow> rows)
    {
        RowsSource source(std::move(rows), File);
        m_analysis.compose(source);
        return beforeDepthPage(documentLines(m_analysis.OutPut()));
    }

    VirtualPrinter m_printer { VirtualPrinterSetup::a4(600) };
    ReportAnalysis m_analysis;
};

void append(std::vector<ReportLine> &lines, const std::vector<ReportLine> &more)
{
    lines.insert(lines.end(), more.begin(), more.end());
}

std::vector<ReportLine> pageStart(int page)
{
    return { { fileLine(File), 1, 1, page > 1 }, normal(dateLine(Date, pageText(page))) };
}

std::vector<ReportLine> listingHeader(int page)
{
    std::vector<ReportLine> lines = pageStart(page);
    append(lines, { normal(" "), normal(ReportText::ListingHeading), normal(listingUnderline()) });
    return lines;
}

std::vector<ReportLine> chartHeader(int page, const std::string &band, double percent)
{
    std::vector<ReportLine> lines = pageStart(page);
    append(lines,
        { normal(" "), { band, 2, 1, false }, { inbreedingLine(percent), 2, 1, false },
            normal(" ") });
    return lines;
}

std::vector<ReportLine> tableHeader(int page, const std::string &band, double percent)
{
    std::vector<ReportLine> lines = chartHeader(page, band, percent);
    for (const char *heading : ReportText::TableHeadings)
        lines.push_back(normal(heading));
    lines.push_back(normal(tableUnderline()));
    return lines;
}

ReportLine closing(int birds)
{
    return { closingLine(birds), 0, 1, false };
}

// The first item of every page header, in document order.
std::vector<size_t> pageHeaderIndexes(const std::vector<ReportLine> &lines)
{
    std::vector<size_t> indexes;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].text == fileLine(File))
            indexes.push_back(i);
    return indexes;
}

TEST_F(ReportComposition, TwoGenerationsLineByLine)
{
    const std::vector<ReportLine> lines = compose({ { "P-1", "S-2", "D-3" } });

    std::vector<ReportLine> expected = listingHeader(1);
    expected.push_back(normal(listingLine(1, "P-1", "S-2", "D-3", "")));

    append(expected, chartHeader(2, "P-1", 0.0));
    for (int row = 0; row < 64; ++row) {
        if (row == 15)
            expected.push_back(normal("\xDA\xC4>2s " + pad("S-2") + " " + blanks(93)));
        else if (row == 31)
            expected.push_back(normal("\xC3\xC4>1  " + pad("P-1") + " " + blanks(93)));
        else if (row == 47)
            expected.push_back(normal("\xC0\xC4>3d " + pad("D-3") + " " + blanks(93)));
        else if ((row > 15 && row < 31) || (row > 31 && row < 47))
            expected.push_back(normal("\xB3" + blanks(117)));
        else
            expected.push_back(normal(blanks(118)));
    }

    append(expected, tableHeader(3, "P-1", 0.0));
    AncestorRow sire { "S-2", 'm', 0.0, 2, 2, 1, 1, 0.5, 1, 0.5, 0, 0.0, 0.0, 0.5, 0.25, "", "" };
    AncestorRow dam { "D-3", 'f', 0.0, 2, 2, 1, 1, 0.5, 0, 0.0, 1, 0.5, 0.0, 0.5, 0.25, "", "" };
    AncestorRow bird { "P-1", '?', 0.0, 1, 1, 0, 0, 0.0, 0, 0.0, 0, 0.0, 0.0, 0.0, 0.0, "S-2",
        "D-3" };
    append(expected,
        { normal(tableLine(sire)), normal(tableLine(dam)), normal(tableLine(bird)), normal(" "),
            closing(3) });

    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "item " << i;
}

TEST_F(ReportComposition, FullSibMatingShowsTheGrandparentsFigures)
{
    const std::vector<ReportLine> lines = compose({
        { "PIGEON", "SIRE", "DAM" },
        { "SIRE", "GRANDSIRE", "GRANDDAM" },
        { "DAM", "GRANDSIRE", "GRANDDAM" },
    });
    ASSERT_FALSE(lines.empty());
    // Each grandparent: two occurrences at generation 3, one per side; relationship 0.5 / sqrt(1.25).
    const AncestorRow grandsire { "GRANDSIRE", 'm', 0.0, 3, 3, 2, 2, 0.5, 1, 0.25, 1, 0.25, 0.125,
        0.4472136, 0.25, "", "" };
    const AncestorRow granddam { "GRANDDAM", 'f', 0.0, 3, 3, 2, 2, 0.5, 1, 0.25, 1, 0.25, 0.125,
        0.4472136, 0.25, "", "" };
    // Each parent: matrix relationship 0.75 with the bird, 0.75 / sqrt(1.25).
    const AncestorRow sire { "SIRE", 'm', 0.0, 2, 2, 1, 1, 0.5, 1, 0.5, 0, 0.0, 0.0, 0.6708204,
        0.375, "GRANDSIRE", "GRANDDAM" };
    const AncestorRow dam { "DAM", 'f', 0.0, 2, 2, 1, 1, 0.5, 0, 0.0, 1, 0.5, 0.0, 0.6708204, 0.375,
        "GRANDSIRE", "GRANDDAM" };
    const AncestorRow bird { "PIGEON", '?', 0.25, 1, 1, 0, 0, 0.0, 0, 0.0, 0, 0.0, 0.0, 0.0, 0.0,
        "SIRE", "DAM" };
    const std::vector<ReportLine> expectedTail = {
        normal(tableLine(grandsire)),
        normal(tableLine(granddam)),
        normal(tableLine(sire)),
        normal(tableLine(dam)),
        normal(tableLine(bird)),
        normal(" "),
        closing(5),
    };
    EXPECT_EQ(tableLine(grandsire).substr(62, 18), " 12.50 44.72 25.00");
    ASSERT_GE(lines.size(), expectedTail.size());
    const std::vector<ReportLine> tail(lines.end() - expectedTail.size(), lines.end());
    for (size_t i = 0; i < tail.size(); ++i)
        EXPECT_EQ(tail[i], expectedTail[i]) << "tail line " << i;

    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    ASSERT_EQ(headers.size(), 3u);
    EXPECT_EQ(lines[headers[1] + 4], (ReportLine { "ZAN = 25.00%", 2, 1, false }));
}

TEST_F(ReportComposition, AncestorOccurringTwiceHasTwoChartLabelsAndOneTableLine)
{
    // X is the sire of both parents: positions 4 and 6.
    const std::vector<ReportLine> lines = compose({
        { "BIRD", "SIRE", "DAM" },
        { "SIRE", "X", "A" },
        { "DAM", "X", "B" },
    });
    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    ASSERT_EQ(headers.size(), 3u);
    const size_t chartTop = headers[1] + 6;
    EXPECT_EQ(lines[chartTop + 7].text.substr(4, 25), "\xDA\xC4>4s " + pad("X") + " ");
    EXPECT_EQ(lines[chartTop + 39].text.substr(4, 25), "\xDA\xC4>6s " + pad("X") + " ");
    int tableLines = 0;
    for (size_t i = headers[2]; i < lines.size(); ++i)
        tableLines += lines[i].text.rfind("X ", 0) == 0;
    EXPECT_EQ(tableLines, 1);
}

std::vector<PedigreeRow> founders(int count)
{
    std::vector<PedigreeRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({ "B" + std::to_string(i), "", "" });
    return rows;
}

TEST_F(ReportComposition, Row75BeginsPage2)
{
    const std::vector<ReportLine> lines = compose(founders(75));
    // Header (5 items, counted as 6) and rows 1 to 74 fill page 1 to 80 counted lines.
    ASSERT_GT(lines.size(), 85u);
    EXPECT_EQ(lines[78], normal(listingLine(74, "B74", "", "", "")));
    std::vector<ReportLine> expected = listingHeader(2);
    expected.push_back(normal(listingLine(75, "B75", "", "", "")));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[79 + i], expected[i]) << "item " << 79 + i;
}

TEST_F(ReportComposition, PageTextsOfPages3And10)
{
    // Blank rows are refused but still listed: 667 rows fill nine listing pages and begin the
    // tenth.
    const std::vector<ReportLine> lines = compose(std::vector<PedigreeRow>(667));
    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    ASSERT_EQ(headers.size(), 12u); // ten listing pages, the chart and the table
    EXPECT_EQ(lines[headers[2] + 1].text.substr(111), "Page: 3");
    EXPECT_EQ(lines[headers[9] + 1].text.substr(111), "Page:10");
    EXPECT_EQ(lines[headers[11] + 1].text.substr(111), "Page:12");
    EXPECT_TRUE(lines[headers[9]].pageBreak);
    EXPECT_EQ(lines[headers[9] + 5].text.substr(0, 4), "667 ");
}

struct ClosingCase
{
    const char *name;
    int birds;
    bool blank;
    bool closingLine;
};

class ReportTableEnd : public ReportComposition, public testing::WithParamInterface<ClosingCase>
{ };

TEST_P(ReportTableEnd, BlankAndClosingLinesFollowTheLineCount)
{
    const ClosingCase &c = GetParam();
    const std::vector<ReportLine> lines = compose(founders(c.birds));
    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    const size_t tableLines = lines.size() - (headers.back() + 10);
    EXPECT_EQ(tableLines, static_cast<size_t>(c.birds + c.blank + c.closingLine));
    size_t at = lines.size() - 1;
    if (c.closingLine) {
        EXPECT_EQ(lines[at--], closing(c.birds));
    }
    if (c.blank) {
        EXPECT_EQ(lines[at--], normal(" "));
    }
    EXPECT_EQ(lines[at].text.substr(0, 4), "B" + std::to_string(c.birds) + " ");
}

INSTANTIATE_TEST_SUITE_P(Birds, ReportTableEnd,
    testing::Values(ClosingCase { "Birds65", 65, true, true },
        ClosingCase { "Birds67", 67, false, true },
        ClosingCase { "Birds68FillThePage", 68, false, false }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ReportComposition, TableOf69BirdsContinuesOnANewPage)
{
    const std::vector<ReportLine> lines = compose(founders(69));
    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    ASSERT_EQ(headers.size(), 4u);
    EXPECT_TRUE(lines[headers[3]].pageBreak);
    EXPECT_EQ(lines[headers[3] + 10].text.substr(0, 4), "B69 ");
    EXPECT_EQ(lines.back(), closing(69));
}

TEST_F(ReportComposition, EmptyGrid)
{
    const std::vector<ReportLine> lines = compose({ PedigreeRow {} });
    std::vector<ReportLine> expected = listingHeader(1);
    append(expected,
        {
            normal(listingLine(1, "", "", "",
                "Missing Band No or band = \".\" or \"0\" Record "
                "Skipped.")),
            { " ", 2, 1, false },
            { "INVALID RESULTS *** ERRORS IN INPUT ***", 2, 1, false },
        });
    append(expected, chartHeader(2, "", 0.0));
    for (int row = 0; row < 64; ++row)
        expected.push_back(normal(blanks(118)));
    append(expected, tableHeader(3, "", 0.0));
    append(expected, { normal(" "), closing(0) });
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "item " << i;
}

TEST_F(ReportComposition, CyclicPedigree)
{
    const std::vector<ReportLine> lines = compose({ { "A", "B", "C" }, { "B", "A", "D" } });
    std::vector<ReportLine> expected = listingHeader(1);
    append(expected,
        {
            normal(listingLine(1, "A", "B", "C", "")),
            normal(listingLine(2, "B", "A", "D", "")),
            normal(" "),
            normal("Computation Error Class INBREED a cycling pedigree has been found."),
            { " ", 2, 1, false },
            { "INVALID RESULTS *** ERRORS IN INPUT ***", 2, 1, false },
        });
    append(expected, chartHeader(2, "compute not done.", 0.0));
    for (int row = 0; row < 64; ++row)
        expected.push_back(normal(blanks(118)));
    append(expected, tableHeader(3, "compute not done.", 0.0));
    append(expected, { normal(" "), closing(4) });
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "item " << i;
    EXPECT_FALSE(m_analysis.computed());
}

TEST_F(ReportComposition, RefusedRowKeepsItsLineAndMarksTheResultsInvalid)
{
    const std::vector<ReportLine> lines = compose({
        { "P", "S", "D" }, { "NL-2021-12345678901", "", "" }, // 19 characters
    });
    EXPECT_EQ(lines[6],
        normal(
            listingLine(2, "NL-2021-12345678901", "", "", "Band length to long RECORD SKIPPED")));
    EXPECT_EQ(lines[7], (ReportLine { " ", 2, 1, false }));
    EXPECT_EQ(lines[8], (ReportLine { "INVALID RESULTS *** ERRORS IN INPUT ***", 2, 1, false }));
    EXPECT_FALSE(m_analysis.rowsAccepted());
    EXPECT_TRUE(m_analysis.computed());
}

// The store refuses the 2049th band but counts it: the pedigreed bird and the closing line still
// come from the 2048 birds it holds.
TEST_F(ReportComposition, BirdsPastTheLimitLeaveThePedigreedBirdInPlace)
{
    const std::vector<ReportLine> lines = compose(founders(2049));
    const std::vector<size_t> headers = pageHeaderIndexes(lines);
    ASSERT_GE(headers.size(), 3u);
    const size_t chart = headers[headers.size() - 31 - 1];
    EXPECT_EQ(lines[chart + 3], (ReportLine { "B2048", 2, 1, false }));
    EXPECT_EQ(lines[chart + 6 + 31].text.substr(0, 11), "\xC3\xC4>1  B2048");
    EXPECT_EQ(lines.back(), closing(2048));
    EXPECT_FALSE(m_analysis.rowsAccepted());
}

TEST_F(ReportComposition, ASecondRunStartsFromScratch)
{
    compose(founders(3));
    const std::vector<ReportLine> lines = compose({ { "P-1", "S-2", "D-3" } });
    EXPECT_EQ(pageHeaderIndexes(lines).size(), 3u);
    EXPECT_EQ(lines[0], (ReportLine { fileLine(File), 1, 1, false }));
    EXPECT_EQ(lines.back(), closing(3));
}

} // namespace
