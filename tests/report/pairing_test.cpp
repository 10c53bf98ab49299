#include "report/pairing_composer.h"
#include "report/pairing_csv.h"
#include "report/pairing_plan.h"
#include "report/report_text.h"

#include "report_fixture.h"

#include "docview/doc_view.h"
#include "platform/zan_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Founders GS and GD; full sibs S1 and D1; a half sib H1 by GS; X and Y loop on each other and L
// descends from them; one refused row; an empty grid row.
const std::vector<PedigreeRow> loft = {
    { "S1", "GS", "GD" },
    { "D1", "GS", "GD" },
    { "H1", "GS", "M1" },
    { "X", "Y", "M2" },
    { "Y", "X", "M3" },
    { "L", "X", "M4" },
    { "S2", "S1", "D1" },
    { "Q", "S1", "D1234567890123456789" },
    { "", "", "" },
    { "GD2", "", "" },
    { "Z", "S1", "GD2" },
};

struct ListCase
{
    const char *name;
    std::vector<std::string> cocks;
    std::vector<std::string> hens;
    std::vector<std::string> computedCocks;
    std::vector<std::string> computedHens;
    std::vector<std::string> notes;
};

class PairingLists : public testing::TestWithParam<ListCase>
{ };

TEST_P(PairingLists, leaveOutWhatCannotBePairedAndSaySo)
{
    const ListCase &c = GetParam();
    PairingPlan plan;
    plan.compute(RowsSource(loft), c.cocks, c.hens);
    EXPECT_EQ(plan.cocks(), c.computedCocks);
    EXPECT_EQ(plan.hens(), c.computedHens);
    EXPECT_EQ(plan.notes(), c.notes);
    ASSERT_EQ(plan.refusedRows().size(), 1u);
    EXPECT_EQ(plan.refusedRows()[0].row, 8);
    EXPECT_EQ(plan.refusedRows()[0].message, "Dam's Band length to long DAM SKIPPED.");
}

INSTANTIATE_TEST_SUITE_P(Pairing, PairingLists,
    testing::Values(ListCase { "oneByOne", { "S1" }, { "D1" }, { "S1" }, { "D1" }, {} },
        ListCase {
            "trimmedAndEmptyBandsSkipped", { " S1 ", "" }, { "D1\t" }, { "S1" }, { "D1" }, {} },
        ListCase { "unknownBand", { "S1", "NOPE" }, { "D1" }, { "S1" }, { "D1" },
            { "Cock NOPE is not in the pedigree: left out." } },
        ListCase { "namedTwice", { "S1", "S1" }, { "D1" }, { "S1" }, { "D1" },
            { "Cock S1 is named twice: counted once." } },
        ListCase { "inBothLists", { "S1", "H1" }, { "H1", "D1" }, { "S1" }, { "D1" },
            { "H1 is named as a cock and as a hen: left out." } },
        ListCase { "loopedAncestry", { "S1", "L" }, { "D1" }, { "S1" }, { "D1" },
            { "L: the ancestry loops back on itself: left out." } },
        ListCase { "sexAgainstTheList", { "D1" }, { "S1" }, { "D1" }, { "S1" },
            { "Cock D1 is named as a dam in the pedigree.",
                "Hen S1 is named as a sire in the pedigree." } },
        ListCase { "noCocks", {}, { "D1", "H1" }, {}, { "D1", "H1" }, {} }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Pairing, pairsRunFromTheLeastToTheMostInbred)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), { "S1", "S2" }, { "D1", "H1", "Z" });
    std::vector<double> figures;
    for (const PairingPlan::Pair &pair : plan.pairsByInbreeding())
        figures.push_back(plan.inbreeding(pair.cock, pair.hen));
    ASSERT_EQ(figures.size(), 6u);
    EXPECT_TRUE(std::is_sorted(figures.begin(), figures.end()));
    EXPECT_DOUBLE_EQ(plan.inbreeding(0, 0), 0.25);
    EXPECT_DOUBLE_EQ(plan.inbreeding(0, 1), 0.125);
    ASSERT_EQ(plan.ancestors(0, 0).size(), 2u);
    EXPECT_EQ(plan.ancestors(0, 0)[0].band, "GD");
    EXPECT_DOUBLE_EQ(plan.ancestors(0, 0)[0].contribution, 0.125);
}

std::vector<std::string> texts(const TCustomDocView &view)
{
    std::vector<std::string> lines;
    for (const ReportLine &line : documentLines(view))
        lines.push_back(line.text);
    return lines;
}

// Cocks C1.. and hens H1.., all founders: every figure 0.
std::vector<PedigreeRow> founders(int cocks, int hens)
{
    std::vector<PedigreeRow> rows;
    for (int i = 1; i <= cocks; ++i)
        rows.push_back({ "C" + std::to_string(i), "", "" });
    for (int i = 1; i <= hens; ++i)
        rows.push_back({ "HEN-2024-" + std::to_string(1000000 + i), "", "" });
    return rows;
}

std::vector<std::string> bands(const std::vector<PedigreeRow> &rows, char first)
{
    std::vector<std::string> list;
    for (const PedigreeRow &row : rows)
        if (row.identification[0] == first)
            list.push_back(row.identification);
    return list;
}

// Pages hold at most 80 counted lines, each page starts with its header after a page break, the
// matrix runs in blocks of twelve hens and the pairs list repeats its headings on every page.
TEST(Pairing, documentPagesLikeTheReport)
{
    const std::vector<PedigreeRow> rows = founders(70, 30);
    PairingPlan plan;
    plan.compute(RowsSource(rows), bands(rows, 'C'), bands(rows, 'H'));
    TDocView view;
    PairingComposer composer(view, plan);
    composer.write("Dec. 09, 2026 11:00");
    const std::vector<ReportLine> lines = documentLines(view);

    int pages = 0;
    int linesOnPage = 0;
    int matrixRows = 0;
    int pairRows = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.rfind("File = ", 0) == 0) {
            EXPECT_EQ(lines[i].pageBreak, pages > 0) << i;
            EXPECT_EQ(lines[i + 1].text, dateLine("Dec. 09, 2026 11:00", pageText(pages + 1)));
            ++pages;
            linesOnPage = 0;
        }
        ++linesOnPage;
        EXPECT_LE(linesOnPage, PairingComposer::LinesPerPage) << i;
        EXPECT_LE(lines[i].text.size(), static_cast<std::size_t>(ReportText::LineWidth)) << i;
        const std::string &text = lines[i].text;
        const bool cockRow = text.size() > 1 && text[0] == 'C' && std::isdigit(text[1]);
        matrixRows += cockRow && text.find("HEN-") == std::string::npos;
        pairRows += cockRow && text.find("HEN-") != std::string::npos;
    }
    EXPECT_EQ(matrixRows, 70 * 3); // 30 hens: blocks of 12, 12 and 6
    EXPECT_EQ(pairRows, 70 * 30);
    EXPECT_EQ(pages, composer.pageNumber());
    const std::vector<std::string> text = texts(view);
    EXPECT_NE(std::find(text.begin(), text.end(), PairingText::pairsHeading()), text.end());
}

struct HeadingCase
{
    const char *name;
    std::vector<std::string> hens;
    int bottomLineBands; // bands on the heading line next to the figures
};

class MatrixHeadings : public testing::TestWithParam<HeadingCase>
{ };

// Each hen's band stands whole on one heading line, ending where its column ends; bands that all
// fit their columns keep to the line next to the figures.
TEST_P(MatrixHeadings, keepEachBandWholeOverItsColumn)
{
    const HeadingCase &c = GetParam();
    std::vector<PedigreeRow> rows = { { "C1", "", "" } };
    for (const std::string &hen : c.hens)
        rows.push_back({ hen, "", "" });
    PairingPlan plan;
    plan.compute(RowsSource(rows), { "C1" }, c.hens);
    TDocView view;
    PairingComposer(view, plan).write("date");
    const std::vector<std::string> text = texts(view);
    const auto corner = std::find_if(text.begin(), text.end(),
        [](const std::string &line) { return line.rfind("COCK \\ HEN", 0) == 0; });
    ASSERT_NE(corner, text.end());
    ASSERT_GE(corner - text.begin(), 2);
    const std::vector<std::string> headings(corner - 2, corner + 1);
    int bottomLineBands = 0;
    for (std::size_t h = 0; h < c.hens.size(); ++h) {
        const std::string &band = c.hens[h];
        const std::size_t end = 18 + (h + 1) * 8;
        int found = 0;
        for (std::size_t line = 0; line < headings.size(); ++line) {
            const bool here = headings[line].size() >= end
                && headings[line].compare(end - band.size(), band.size(), band) == 0
                && (end - band.size() == 0 || headings[line][end - band.size() - 1] == ' ');
            found += here;
            bottomLineBands += here && line + 1 == headings.size();
        }
        EXPECT_EQ(found, 1) << band;
    }
    EXPECT_EQ(bottomLineBands, c.bottomLineBands);
    for (const std::string &line : headings)
        EXPECT_LE(line.size(), static_cast<std::size_t>(ReportText::LineWidth)) << line;
}

INSTANTIATE_TEST_SUITE_P(Pairing, MatrixHeadings,
    testing::Values(HeadingCase { "shortBands", { "H1", "H2", "HEN-003", "H4" }, 4 },
        HeadingCase { "longBands",
            { "NL-2019-1234567", "BE-2020-3112345", "DE-2021-0000001", "GB-15-N04567",
                "NL-2018-1299876", "NL-2017-1045678", "NL-2016-1045679", "NL-2015-1045670",
                "NL-2014-1045671", "NL-2013-1045672", "NL-2012-1045673", "123456789012345678" },
            4 },
        HeadingCase { "mixed", { "A", "NL-2019-1234567", "B", "123456789012345678", "C" }, 1 }),
    [](const auto &info) { return std::string(info.param.name); });

struct MemoryCase
{
    const char *name;
    std::uint64_t limit;
    const char *refusal; // empty: computed
};

class MemoryLimit : public testing::TestWithParam<MemoryCase>
{ };

// Lists whose results would not fit are refused before any work, saying how many pairs and how
// much memory, and leave no results behind.
TEST_P(MemoryLimit, refusesWhatWouldNotFit)
{
    const MemoryCase &c = GetParam();
    const std::vector<PedigreeRow> rows = founders(110, 100);
    PairingPlan plan;
    plan.load(RowsSource(rows));
    plan.setMemoryLimit(c.limit);
    try {
        plan.compute(bands(rows, 'C'), bands(rows, 'H'));
        EXPECT_STREQ(c.refusal, "");
        EXPECT_EQ(plan.cocks().size() * plan.hens().size(), 11000u);
    } catch (const ZanError &error) {
        EXPECT_STREQ(error.what(), c.refusal);
        EXPECT_TRUE(plan.empty());
        EXPECT_TRUE(plan.notes().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Pairing, MemoryLimit,
    testing::Values(MemoryCase { "fits", 1ull << 20, "" },
        MemoryCase { "tooLarge", 512ull << 10,
            "11,000 pairs (110 cocks x 100 hens) need about 870.7 KB of memory, more than "
            "the 512.0 KB available for them: choose fewer cocks or hens" },
        MemoryCase { "tooLargeForATinyLimit", 100,
            "11,000 pairs (110 cocks x 100 hens) need about 870.7 KB of memory, more than "
            "the 100 bytes available for them: choose fewer cocks or hens" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Pairing, documentWithoutPairsSaysSo)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), {}, { "D1" });
    TDocView view;
    PairingComposer(view, plan).write("date");
    EXPECT_EQ(texts(view).back(), "NO PAIRS TO COMPUTE");
}

TEST(Pairing, csvHoldsTheMatrixThePairsThenWhatWasLeftOut)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), { "S1", "NOPE", "L" }, { "D1", "H1" });
    EXPECT_EQ(pairingCsv(plan),
        "\"COCK\",\"D1\",\"H1\"\r\n"
        "\"S1\",25.0000,12.5000\r\n"
        "\r\n"
        "\"COCK\",\"HEN\",\"ZAN\",\"ECG\",\"ANCESTOR 1\",\"CONTRIBUTION 1\",\"ANCESTOR 2\","
        "\"CONTRIBUTION 2\",\"ANCESTOR 3\",\"CONTRIBUTION 3\"\r\n"
        "\"S1\",\"H1\",12.5000,2.0000,\"GS\",12.5000\r\n"
        "\"S1\",\"D1\",25.0000,2.0000,\"GD\",12.5000,\"GS\",12.5000\r\n"
        "\r\n"
        "\"NOTE\"\r\n"
        "\"Row 8 (Q): Dam's Band length to long DAM SKIPPED.\"\r\n"
        "\"Cock NOPE is not in the pedigree: left out.\"\r\n"
        "\"L: the ancestry loops back on itself: left out.\"\r\n");
}

TEST(Pairing, csvWithNothingLeftOutHasNoNotes)
{
    PairingPlan plan;
    plan.compute(RowsSource({ { "S1", "GS", "GD" }, { "D1", "GS", "GD" } }), { "S1" }, { "D1" });
    EXPECT_EQ(pairingCsv(plan).find("NOTE"), std::string::npos);
}

// The young's parents count 1; each parent adds half its own: S2's parents S1 and D1 each have
// two known parents (1), so S2 has 2, and its young with H1 (1) has 1 + (2 + 1) / 2.
TEST(Pairing, equivalentCompleteGenerationsOfTheYoung)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), { "S2", "GD2" }, { "H1" });
    ASSERT_EQ(plan.cocks().size(), 2u);
    EXPECT_DOUBLE_EQ(plan.equivalentCompleteGenerations(0, 0), 2.5);
    EXPECT_DOUBLE_EQ(plan.equivalentCompleteGenerations(1, 0), 1.5); // GD2 has no known parent
}

} // namespace

// Two brother x sister lines of nine pairs founded by GS and GD: COCK and HEN, out of the last
// pairs, have young 25 % inbred with no common ancestor within the walked generations. Their
// ancestors are named by exact share and marked; the others keep their contributions.
TEST(Pairing, deepCommonAncestorsAreNamedByExactShare)
{
    std::vector<PedigreeRow> rows;
    for (const std::string line : { "A", "B" }) {
        std::string sire = "GS";
        std::string dam = "GD";
        for (int pair = 1; pair <= 9; ++pair) {
            const std::string band = line + std::to_string(pair);
            rows.push_back({ band + "s", sire, dam });
            rows.push_back({ band + "d", sire, dam });
            sire = band + "s";
            dam = band + "d";
        }
        rows.push_back({ line == "A" ? "COCK" : "HEN", sire, dam });
    }
    PairingPlan plan;
    plan.compute(RowsSource(rows), { "COCK", "A1s" }, { "HEN", "A1d" });
    EXPECT_EQ(plan.notes(), std::vector<std::string> { PairingPlan::ExactSharesNote });
    const struct
    {
        std::size_t cock;
        std::size_t hen;
        const char *line;
        const char *csvRow;
    } cases[] = {
        { 0, 0,
            "COCK               HEN                25.00 GD                 12.50* GS  "
            "               12.50*",
            "\"COCK\",\"HEN\",25.0000,11.0000,\"GD\",12.5000,\"GS\",12.5000,,,\"*\"\r\n" },
        { 1, 1,
            "A1s                A1d                25.00 GD                 12.50 GS  "
            "               12.50",
            "\"A1s\",\"A1d\",25.0000,2.0000,\"GD\",12.5000,\"GS\",12.5000\r\n" },
    };
    const std::string csv = pairingCsv(plan);
    for (const auto &c : cases) {
        EXPECT_EQ(PairingText::pairLine(plan, c.cock, c.hen), c.line);
        EXPECT_NE(csv.find(c.csvRow), std::string::npos) << c.csvRow;
    }
}
