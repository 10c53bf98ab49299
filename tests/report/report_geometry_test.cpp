#include "report/report_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReportGeometry, HalveRoundsOddValuesAwayFromZero)
{
    const struct
    {
        int x, expected;
    } cases[] = { { 0, 0 }, { 20, 10 }, { 21, 11 }, { 31, 16 }, { -3, -2 }, { -4, -2 }, { 1, 1 },
        { -1, -1 } };
    for (const auto &c : cases)
        EXPECT_EQ(halve(c.x), c.expected) << c.x;
}

struct PaperCase
{
    const char *name;
    PrinterCaps caps;
    int width, height;
    PageMargins margins;
    bool accepted;
};

class ReportGeometryPaper : public testing::TestWithParam<PaperCase>
{ };

TEST_P(ReportGeometryPaper, MeasuresFitsAndChecks)
{
    const PaperCase &c = GetParam();
    const PageMeasure page = measurePage(c.caps);
    EXPECT_EQ(page.width, c.width);
    EXPECT_EQ(page.height, c.height);
    EXPECT_EQ(fitMargins(page), c.margins)
        << fitMargins(page).left << " " << fitMargins(page).right << " " << fitMargins(page).top
        << " " << fitMargins(page).bottom;
    EXPECT_EQ(isReportPaper(page), c.accepted);
}

// Device capabilities: pixels per inch x and y, physical width and height, offsets x and y.
INSTANTIATE_TEST_SUITE_P(Printers, ReportGeometryPaper,
    testing::Values(PaperCase { "Letter600", { 600, 600, 5100, 6600, 0, 0 }, 208, 269,
                        { 13, 11, 16, 15 }, true },
        PaperCase { "Letter600WithBorder", { 600, 600, 5100, 6600, 117, 117 }, 208, 269,
            { 13, 11, 16, 15 }, true },
        PaperCase {
            "Letter300", { 300, 300, 2550, 3300, 0, 0 }, 208, 269, { 13, 11, 16, 15 }, true },
        PaperCase { "A4At600", { 600, 600, 4960, 7016, 0, 0 }, 202, 286, { 10, 8, 24, 24 }, true },
        PaperCase { "A4AsQtGivesIt", { 600, 600, 4958, 7017, 117, 117 }, 202, 286,
            { 10, 8, 24, 24 }, true },
        // 0.3 in. unprintable at the left: 7.62 mm rounds up to 8.
        PaperCase { "LeftOffsetRaisesLeftMargin", { 600, 600, 4960, 7016, 180, 0 }, 202, 286,
            { 10, 8, 24, 24 }, true },
        PaperCase { "LargeOffsetsWin", { 600, 600, 4960, 7016, 300, 720 }, 202, 286,
            { 13, 5, 31, 17 }, true },
        // W - 182 = 21: the odd millimetre goes to the left.
        PaperCase { "OddWidthGivesExtraMillimetreLeft", { 100, 100, 829, 1100, 0, 0 }, 203, 269,
            { 11, 8, 16, 15 }, false },
        PaperCase {
            "A4Landscape", { 600, 600, 7017, 4958, 0, 0 }, 286, 202, { 52, 50, 5, -41 }, false },
        PaperCase { "Legal", { 600, 600, 5100, 8400, 0, 0 }, 208, 343, { 13, 11, 53, 52 }, false },
        PaperCase { "A5", { 600, 600, 3496, 4960, 0, 0 }, 142, 202, { 7, -49, 5, -41 }, false }),
    [](const testing::TestParamInfo<PaperCase> &info) { return std::string(info.param.name); });

TEST(ReportGeometry, LeftOffsetOfPointThreeInchesGivesAtLeastEightMillimetres)
{
    const PageMeasure page = measurePage({ 600, 600, 5100, 6600, 180, 0 });
    EXPECT_EQ(page.offsetX, 8);
    PageMeasure narrow = page;
    narrow.width = 190; // halve(8) = 4 is below the offset
    EXPECT_EQ(fitMargins(narrow).left, 8);
}

TEST(ReportGeometry, MinimumsApplyWithoutOffsets)
{
    PageMeasure page = measurePage({ 600, 600, 4500, 5800, 0, 0 });
    EXPECT_EQ(page.offsetX, 0);
    EXPECT_EQ(fitMargins(page).left, 7);
    EXPECT_EQ(fitMargins(page).top, 5);
}

TEST(ReportGeometry, ZeroResolutionMeasuresAnEmptyPage)
{
    const PageMeasure page = measurePage({ 0, 0, 5100, 6600, 0, 0 });
    EXPECT_EQ(page.width, 0);
    EXPECT_EQ(page.height, 0);
    EXPECT_FALSE(isReportPaper(page));
}

TEST(ReportGeometry, KeepsIntermediatesInSinglePrecision)
{
    // 8.263333... in single precision times 24.5 is 202.45..., in any precision above 202.
    const PageMeasure page = measurePage({ 600, 600, 4958, 7017, 0, 0 });
    EXPECT_EQ(page.widthInches, static_cast<float>(4958.0 / 600.0));
    EXPECT_EQ(page.heightInches, static_cast<float>(7017.0 / 600.0));
}

} // namespace
