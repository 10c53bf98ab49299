#include "report/pedigree_chart.h"
#include "report/report_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string padded(const std::string &band)
{
    return band + std::string(18 - band.size(), ' ');
}

TEST(PedigreeChart, LabelsFollowTheGenerationFormats)
{
    const struct
    {
        int position;
        std::string expected;
    } cases[] = {
        { 1, "\xC3\xC4>1  " + padded("P") + " " },
        { 2,
            "\xDA\xC4>2s"
            " " + padded("S")
                + " " },
        { 3,
            "\xC0\xC4>3d"
            " " + padded("D")
                + " " },
        { 8,
            "\xDA\xC4> 8s"
            " " + padded("S")
                + " " },
        { 63,
            "\xC0\xC4>63d"
            " " + padded("D")
                + " " },
        { 64,
            "\xC2\xC4> 64s"
            " " + padded("S")
                + " " },
        { 127,
            "\xC0\xC4>127d"
            " " + padded("D")
                + " " },
        { 128, "128s " + padded("S") },
        { 255, "255d " + padded("D") },
    };
    for (const auto &c : cases) {
        const std::string band = c.position == 1 ? "P" : c.position % 2 == 0 ? "S" : "D";
        EXPECT_EQ(PedigreeChart::label(c.position, band), c.expected) << c.position;
    }
}

TEST(PedigreeChart, LabelWidthsPerGeneration)
{
    const struct
    {
        int position, width;
    } cases[]
        = { { 1, 25 }, { 7, 25 }, { 8, 26 }, { 63, 26 }, { 64, 27 }, { 127, 27 }, { 128, 23 } };
    for (const auto &c : cases)
        EXPECT_EQ(
            PedigreeChart::label(c.position, "NL-21-1234567").size(), static_cast<size_t>(c.width))
            << c.position;
}

TEST(PedigreeChart, PositionsMapToRowsAndColumns)
{
    const struct
    {
        int position, row, column;
    } cases[] = {
        { 1, 31, 0 },
        { 2, 15, 0 },
        { 3, 47, 0 },
        { 4, 7, 4 },
        { 7, 55, 4 },
        { 8, 3, 8 },
        { 15, 59, 8 },
        { 16, 1, 13 },
        { 31, 61, 13 },
        { 32, 0, 18 },
        { 63, 62, 18 },
        { 64, 0, 43 },
        { 127, 63, 43 },
        { 128, 0, 70 },
        { 129, 0, 94 },
        { 254, 63, 70 },
        { 255, 63, 94 },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PedigreeChart::labelRow(c.position), c.row) << c.position;
        EXPECT_EQ(PedigreeChart::labelColumn(c.position), c.column) << c.position;
    }
}

TEST(PedigreeChart, EmptyChartIsBlankRowsOf118)
{
    PedigreeChart chart;
    for (int row = 0; row < PedigreeChart::RowCount; ++row)
        EXPECT_EQ(chart.row(row), std::string(118, ' '));
}

TEST(PedigreeChart, TwoGenerationsAreJoinedAtColumnZero)
{
    PedigreeChart chart;
    chart.placeLabel(1, "P");
    chart.placeLabel(2, "S");
    chart.placeLabel(3, "D");
    chart.drawLines();
    for (int row = 0; row < PedigreeChart::RowCount; ++row) {
        const std::string line = chart.row(row);
        ASSERT_EQ(line.size(), 118u);
        if (row == 31 || row == 15 || row == 47) {
            EXPECT_EQ(line,
                PedigreeChart::label(row == 31 ? 1
                        : row == 15            ? 2
                                               : 3,
                    row == 31       ? "P"
                        : row == 15 ? "S"
                                    : "D")
                    + std::string(93, ' '));
        } else if ((row > 15 && row < 31) || (row > 31 && row < 47)) {
            EXPECT_EQ(line, ReportBox::Vertical + std::string(117, ' ')) << row;
        } else {
            EXPECT_EQ(line, std::string(118, ' ')) << row;
        }
    }
}

TEST(PedigreeChart, MissingParentGetsNoLine)
{
    PedigreeChart chart;
    chart.placeLabel(1, "P");
    chart.placeLabel(2, "S");
    chart.placeLabel(4, "SS"); // sire's sire only
    chart.drawLines();
    EXPECT_EQ(chart.row(20)[0], ReportBox::Vertical);
    EXPECT_EQ(chart.row(40)[0], ' ');
    // From the sire's sex letter at (15, 4) up to its sire at row 7.
    for (int row = 8; row < 15; ++row)
        EXPECT_EQ(chart.row(row)[4], ReportBox::Vertical) << row;
    for (int row = 16; row < 23; ++row)
        EXPECT_EQ(chart.row(row)[4], ' ') << row;
}

TEST(PedigreeChart, LinesStartOnlyFromPresentBirds)
{
    PedigreeChart chart;
    chart.placeLabel(2, "S"); // the pedigreed bird's cell (31, 0) stays blank
    chart.placeLabel(3, "D");
    chart.drawLines();
    for (int row = 16; row < 47; ++row)
        EXPECT_EQ(chart.row(row)[0], ' ') << row;
}

TEST(PedigreeChart, FourthGenerationJoinsTheFifthAtColumn13)
{
    PedigreeChart chart;
    chart.placeLabel(8, "G4");
    chart.placeLabel(16, "G5S");
    chart.placeLabel(17, "G5D");
    chart.drawLines();
    EXPECT_EQ(chart.row(2)[13], ReportBox::Vertical);
    EXPECT_EQ(chart.row(4)[13], ReportBox::Vertical);
    EXPECT_EQ(chart.row(1).substr(13, 4), "\xDA\xC4>1");
    EXPECT_EQ(chart.row(5).substr(13, 4), "\xC0\xC4>1");
}

TEST(PedigreeChart, SeventhGenerationOverwritesTheSixthLabelsLastBlank)
{
    PedigreeChart chart;
    chart.placeLabel(32, "ABCDEFGHIJKLMNOPQR");
    chart.placeLabel(64, "X");
    const std::string row = chart.row(0);
    EXPECT_EQ(row.substr(18, 25), "\xDA\xC4>32s ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(row.substr(43, 7), "\xC2\xC4> 64s");
    EXPECT_EQ(row.substr(70), std::string(48, ' '));
}

TEST(PedigreeChart, EighthGenerationSharesRowsTwoToARow)
{
    PedigreeChart chart;
    chart.placeLabel(254, "EVEN");
    chart.placeLabel(255, "ODD-ODD-ODD-ODD-18");
    const std::string row = chart.row(63);
    EXPECT_EQ(row.size(), 118u);
    EXPECT_EQ(row.substr(70, 23), "254s " + padded("EVEN"));
    EXPECT_EQ(row.substr(93), " 255d ODD-ODD-ODD-ODD-18 ");
}

TEST(PedigreeChart, ClearForgetsEverything)
{
    PedigreeChart chart;
    chart.placeLabel(1, "P");
    chart.placeLabel(0, "ignored");
    chart.placeLabel(256, "ignored");
    chart.clear();
    for (int row = 0; row < PedigreeChart::RowCount; ++row)
        EXPECT_EQ(chart.row(row), std::string(118, ' '));
}

} // namespace
