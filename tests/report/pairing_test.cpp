#include "report/pairing_composer.h"
#include "report/pairing_csv.h"
#include "report/pairing_plan.h"
#include "report/report_text.h"

#include "report_fixture.h"

#include "docview/doc_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

TEST(Pairing, documentWithoutPairsSaysSo)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), {}, { "D1" });
    TDocView view;
    PairingComposer(view, plan).write("date");
    EXPECT_EQ(texts(view).back(), "NO PAIRS TO COMPUTE");
}

TEST(Pairing, csvHoldsTheMatrixThenThePairs)
{
    PairingPlan plan;
    plan.compute(RowsSource(loft), { "S1" }, { "D1", "H1" });
    EXPECT_EQ(pairingCsv(plan),
        "\"COCK\",\"D1\",\"H1\"\r\n"
        "\"S1\",25.0000,12.5000\r\n"
        "\r\n"
        "\"COCK\",\"HEN\",\"ZAN\",\"ECG\",\"ANCESTOR 1\",\"CONTRIBUTION 1\",\"ANCESTOR 2\","
        "\"CONTRIBUTION 2\",\"ANCESTOR 3\",\"CONTRIBUTION 3\"\r\n"
        "\"S1\",\"H1\",12.5000,2.0000,\"GS\",12.5000\r\n"
        "\"S1\",\"D1\",25.0000,2.0000,\"GD\",12.5000,\"GS\",12.5000\r\n");
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
