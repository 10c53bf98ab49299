#include "report/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FormatCase
{
    const char *name;
    std::string actual;
    std::string expected;
};

class ReportTextFormat : public testing::TestWithParam<FormatCase>
{ };

TEST_P(ReportTextFormat, GivesTheExactBytes)
{
    EXPECT_EQ(GetParam().actual, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReportTextFormat,
    testing::Values(FormatCase { "PageThreePadded", pageText(3), "Page: 3" },
        FormatCase { "PageTenNoSpace", pageText(10), "Page:10" },
        FormatCase { "PageHundredWidens", pageText(100), "Page:100" },
        FormatCase { "InbreedingQuarter", inbreedingLine(25.0), "ZAN = 25.00%" },
        FormatCase { "InbreedingZeroPadded", inbreedingLine(0.0), "ZAN =  0.00%" },
        FormatCase { "InbreedingHundredWidens", inbreedingLine(100.0), "ZAN = 100.00%" },
        // 0.125 and 0.375 are exact binary halfway cases: printf rounds them to even.
        FormatCase { "HalfwayRoundsToEvenDown", inbreedingLine(0.125), "ZAN =  0.12%" },
        FormatCase { "HalfwayRoundsToEvenUp", inbreedingLine(0.375), "ZAN =  0.38%" },
        // 1.005 is stored slightly below the halfway point.
        FormatCase { "NearHalfwayUsesBinaryValue", inbreedingLine(1.005), "ZAN =  1.00%" },
        FormatCase { "SmallNegativeKeepsSign", inbreedingLine(-0.001), "ZAN = -0.00%" },
        FormatCase { "ClosingLine", closingLine(7), "***  7 BIRDS PROCESSED  ***" },
        FormatCase { "ClosingLineNoBirds", closingLine(0), "***  0 BIRDS PROCESSED  ***" },
        FormatCase { "ComputationError",
            computationErrorLine("Class INBREED a cycling pedigree has been found."),
            "Computation Error Class INBREED a cycling pedigree has been found." },
        FormatCase { "FileLine", fileLine("/home/loft/birds.csv"), "File = /home/loft/birds.csv" },
        FormatCase {
            "DatePadsDayHourMinute", reportDate("Mar", 9, 2026, 5, 7), "Mar. 09, 2026 05:07" },
        FormatCase { "DateEvening", reportDate("Dec", 31, 1999, 23, 59), "Dec. 31, 1999 23:59" },
        FormatCase { "ListingShortTexts", listingLine(1, "NL-21-1234567", "", "", ""),
            "  1 NL-21-1234567" + std::string(5 + 19 + 19 + 1 + 57, ' ') }),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

TEST(ReportText, DateLineIsAFullWidthLine)
{
    const std::string line = dateLine("Mar. 09, 2026 05:07", pageText(1));
    ASSERT_EQ(line.size(), 118u);
    EXPECT_EQ(line.substr(0, 19), "Mar. 09, 2026 05:07");
    EXPECT_EQ(line.substr(19, 16), std::string(16, ' '));
    EXPECT_EQ(line.substr(35, 48), ReportText::MakerNotice);
    EXPECT_EQ(line.substr(83, 28), std::string(28, ' '));
    EXPECT_EQ(line.substr(111), "Page: 1");
}

// Checks that a line consists of runs of horizontal-line bytes of the given lengths, separated by
// single spaces.
void expectRuns(const std::string &line, const std::vector<int> &runs)
{
    size_t at = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i > 0) {
            ASSERT_EQ(line[at], ' ') << "separator before run " << i;
            ++at;
        }
        EXPECT_EQ(line.substr(at, runs[i]), std::string(runs[i], ReportBox::Horizontal))
            << "run " << i;
        at += runs[i];
    }
    EXPECT_EQ(at, line.size());
}

TEST(ReportText, UnderlinesAreRunsOfHorizontalLines)
{
    expectRuns(listingUnderline(), { 3, 18, 18, 18, 57 });
    expectRuns(tableUnderline(), { 18, 1, 5, 2, 2, 2, 2, 5, 2, 5, 2, 5, 5, 5, 5, 18, 18 });
    EXPECT_EQ(listingUnderline().size(), 118u);
    EXPECT_EQ(tableUnderline().size(), 118u);
}

TEST(ReportText, TableHeadingsAre103CharactersWithTrailingSpaces)
{
    for (const char *heading : ReportText::TableHeadings)
        EXPECT_EQ(std::string(heading).size(), 103u) << heading;
    EXPECT_EQ(std::string(ReportText::TableHeadings[0]).substr(63, 5), "INDPD");
    EXPECT_EQ(std::string(ReportText::TableHeadings[2]).substr(81), "SIRE               DAM");
}

TEST(ReportText, ListingLineFillsItsColumns)
{
    const std::string line = listingLine(
        12, "GB-19-A12345", "GB-17-B2", "GB-18-C3", "Conflicting parents on this bird");
    ASSERT_EQ(line.size(), 118u);
    EXPECT_EQ(line.substr(0, 4), " 12 ");
    EXPECT_EQ(line.substr(4, 18), "GB-19-A12345      ");
    EXPECT_EQ(line.substr(23, 18), "GB-17-B2          ");
    EXPECT_EQ(line.substr(42, 18), "GB-18-C3          ");
    EXPECT_EQ(line.substr(61, 32), "Conflicting parents on this bird");
}

TEST(ReportText, ListingLinePrintsLongTextsWholeAndPushesTheRestRight)
{
    const std::string longBand = "NL-2021-0123456789-X"; // 20 characters
    const std::string line
        = listingLine(3, longBand, "S", "D", "Band length to long RECORD SKIPPED");
    EXPECT_EQ(line.size(), 120u);
    EXPECT_EQ(line.substr(4, 20), longBand);
    EXPECT_EQ(line.substr(25, 2), "S ");
    EXPECT_EQ(line.substr(63, 34), "Band length to long RECORD SKIPPED");
}

TEST(ReportText, ListingLineRowNumberWidensPast999)
{
    EXPECT_EQ(listingLine(1234, "A", "", "", "").substr(0, 7), "1234 A ");
}

AncestorRow fullSibGrandparent()
{
    AncestorRow row;
    row.band = "BE-15-3001122";
    row.sex = 'm';
    row.inbreeding = 0.0;
    row.firstGeneration = 3;
    row.lastGeneration = 3;
    row.offspring = 2;
    row.occurrences = 2;
    row.blood = 0.5;
    row.sireOccurrences = 1;
    row.sireBlood = 0.25;
    row.damOccurrences = 1;
    row.damBlood = 0.25;
    row.contribution = 0.125;
    row.relationship = 0.5 / 1.118033988749895;
    row.pairBack = 0.25;
    return row;
}

TEST(ReportText, TableLinePutsEveryValueUnderItsHeading)
{
    const std::string line = tableLine(fullSibGrandparent());
    ASSERT_EQ(line.size(), 118u);
    const struct
    {
        size_t first, length;
        const char *text;
    } columns[] = {
        { 0, 18, "BE-15-3001122     " },
        { 18, 1, " " },
        { 19, 1, "m" },
        { 20, 6, "  0.00" },
        { 26, 3, "  3" },
        { 29, 3, "  3" },
        { 32, 3, "  2" },
        { 35, 3, "  2" },
        { 38, 6, " 50.00" },
        { 44, 3, "  1" },
        { 47, 6, " 25.00" },
        { 53, 3, "  1" },
        { 56, 6, " 25.00" },
        { 62, 6, " 12.50" },
        { 68, 6, " 44.72" },
        { 74, 6, " 25.00" },
        { 80, 1, " " },
        { 81, 18, "                  " },
        { 99, 1, " " },
    };
    for (const auto &column : columns)
        EXPECT_EQ(line.substr(column.first, column.length), std::string(column.text))
            << "at " << column.first;
}

TEST(ReportText, TableLineWidensForAWideValueAndShowsParents)
{
    AncestorRow row = fullSibGrandparent();
    row.band = "X";
    row.firstGeneration = 100; // never met by the walk
    row.blood = 10.0; // 1000.00 needs seven characters
    row.sireBand = "SIRE-1";
    row.damBand = "DAM-1";
    const std::string line = tableLine(row);
    EXPECT_EQ(line.size(), 119u);
    EXPECT_EQ(line.substr(26, 3), "100");
    EXPECT_EQ(line.substr(38, 7), "1000.00");
    EXPECT_EQ(line.substr(82, 6), "SIRE-1");
    EXPECT_EQ(line.substr(101), "DAM-1" + std::string(13, ' '));
}

TEST(ReportText, TableLineShowsNegativeZeroAsPrintfDoes)
{
    AncestorRow row = fullSibGrandparent();
    row.relationship = -1e-9;
    EXPECT_EQ(tableLine(row).substr(68, 6), " -0.00");
}

TEST(ReportText, TableLineShowsAMissingSexAsBlank)
{
    AncestorRow row = fullSibGrandparent();
    row.sex = '\0';
    const std::string line = tableLine(row);
    EXPECT_EQ(line.size(), 118u);
    EXPECT_EQ(line[19], ' ');
}

} // namespace
