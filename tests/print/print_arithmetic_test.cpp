#include "print/page_geometry.h"
#include "print/preview_zoom.h"
#include "print/print_job.h"
#include "print/zoom_cursors.h"

#include <QBitmap>
#include <QCursor>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct GeometryCase
{
    std::string name;
    PrinterGeometry printer;
    MarginsMM margins;
    TextAreaGeometry expected;
};

// 254 pixels per inch make one millimetre exactly 10 pixels.
const PrinterGeometry tenPerMillimetre { 254, 254, 100, 50, 1000, 1200, 850, 1100 };
// A4 at 600 pixels per inch with 5 mm unprintable borders, as a PDF printer reports it.
const PrinterGeometry a4At600 { 600, 600, 117, 117, 4958, 7017, 4724, 6783 };

class TextAreaTest : public testing::TestWithParam<GeometryCase>
{ };

TEST_P(TextAreaTest, InsetsTheMarginsFromTheSheetEdges)
{
    const GeometryCase &c = GetParam();
    const TextAreaGeometry area = computeTextArea(c.printer, c.margins);
    EXPECT_EQ(area.ContentLeft, c.expected.ContentLeft);
    EXPECT_EQ(area.ContentTop, c.expected.ContentTop);
    EXPECT_EQ(area.ContentRight, c.expected.ContentRight);
    EXPECT_EQ(area.ContentBottom, c.expected.ContentBottom);
    EXPECT_EQ(area.MirroredLeft, c.expected.MirroredLeft);
    EXPECT_EQ(area.width, c.expected.width);
    EXPECT_EQ(area.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Margins, TextAreaTest,
    testing::Values(GeometryCase { "UnequalBorders", tenPerMillimetre, { 30, 20, 20, 20 },
                        { 200, 150, 150, 150, 100, 500, 800 } },
        GeometryCase { "MarginsInsideBorderClampToZero", tenPerMillimetre, { 5, 2, 4, 1 },
            { 0, 0, 0, 0, 0, 850, 1100 } },
        GeometryCase { "A4TwentyMillimetres", a4At600, { 20, 20, 20, 20 },
            { 355, 355, 355, 355, 355, 4014, 6073 } },
        GeometryCase { "MirroredLeftUsesRightMargin", a4At600, { 30, 10, 20, 20 },
            { 592, 355, 119, 355, 119, 4013, 6073 } },
        GeometryCase { "MarginsLargerThanPageGiveDegenerateArea", tenPerMillimetre,
            { 60, 60, 20, 20 }, { 500, 150, 550, 150, 500, -200, 800 } }),
    [](const testing::TestParamInfo<GeometryCase> &info) { return info.param.name; });

TEST(MillimetresToDevice, RoundsToNearestPixel)
{
    EXPECT_EQ(millimetresToDevice(20, 600), 472); // 472.44
    EXPECT_EQ(millimetresToDevice(30, 600), 709); // 708.66
    EXPECT_EQ(millimetresToDevice(25, 254), 250);
    EXPECT_EQ(millimetresToDevice(0, 600), 0);
}

TEST(PreviewZoom, FullPageTakesTheSmallerRatio)
{
    // Width: (600 - 16 - 40) * 100 / 794 = 68.5; height: (800 - 16 - 40) * 100 / 1123 = 66.3.
    EXPECT_EQ(fullPageZoomPercent(600, 800, 16, 794, 1123), 66);
    // A wide, low control: the height limits (30.6).
    EXPECT_EQ(fullPageZoomPercent(2000, 400, 16, 794, 1123), 31);
    // A narrow, tall control: the width limits (24.4).
    EXPECT_EQ(fullPageZoomPercent(250, 2000, 16, 794, 1123), 24);
}

TEST(PreviewZoom, PageWidthFitsClientLessGap)
{
    EXPECT_EQ(pageWidthZoomPercent(600, 794), 71); // 70.53
    EXPECT_EQ(pageWidthZoomPercent(834, 794), 100);
}

TEST(PreviewZoom, ZoomedLengthRounds)
{
    EXPECT_EQ(zoomedLength(794, 100), 794);
    EXPECT_EQ(zoomedLength(794, 50), 397);
    EXPECT_EQ(zoomedLength(1123, 50), 562); // 561.5
}

TEST(PreviewZoom, ScrollAreaFollowsMode)
{
    const auto area = [](TDVZoomMode mode) {
        const PreviewScrollArea a = previewScrollArea(mode, 397, 562);
        return std::vector<int> { a.width, a.height };
    };
    EXPECT_EQ(area(dvzmFullPage), (std::vector<int> { 10, 10 }));
    EXPECT_EQ(area(dvzmPageWidth), (std::vector<int> { 10, 602 }));
    EXPECT_EQ(area(dvzmCustom), (std::vector<int> { 437, 602 }));
}

struct ClickCase
{
    std::string name;
    int percent;
    int alt;
    int target;
    bool zoomsIn;
};

class ClickZoomTest : public testing::TestWithParam<ClickCase>
{ };

TEST_P(ClickZoomTest, TogglesBetweenHundredAndTheOtherZoom)
{
    const ClickCase &c = GetParam();
    EXPECT_EQ(clickZoomTarget(c.percent, c.alt), c.target);
    EXPECT_EQ(clickZoomsIn(c.percent, c.alt), c.zoomsIn);
}

INSTANTIATE_TEST_SUITE_P(Clicks, ClickZoomTest,
    testing::Values(ClickCase { "FullPageGoesToHundred", 66, 50, 100, true },
        ClickCase { "HundredGoesBackToSmaller", 100, 66, 66, false },
        ClickCase { "HundredGoesBackToLarger", 100, 150, 150, true },
        ClickCase { "LargerGoesToHundred", 150, 100, 100, false }),
    [](const testing::TestParamInfo<ClickCase> &info) { return info.param.name; });

TEST(PreviewZoom, CentredOriginTruncatesTowardsZero)
{
    EXPECT_EQ(centredPageOrigin(101, 50), 25);
    EXPECT_EQ(centredPageOrigin(100, 105), -2);
}

struct OrderCase
{
    std::string name;
    int first;
    int last;
    int copies;
    bool collate;
    std::vector<int> order;
};

class PrintOrderTest : public testing::TestWithParam<OrderCase>
{ };

TEST_P(PrintOrderTest, DrawsPagesInCopyOrder)
{
    const OrderCase &c = GetParam();
    EXPECT_EQ(printPageOrder(c.first, c.last, c.copies, c.collate), c.order);
}

INSTANTIATE_TEST_SUITE_P(Copies, PrintOrderTest,
    testing::Values(OrderCase { "OneCopy", 1, 3, 1, false, { 1, 2, 3 } },
        OrderCase { "TwoCollated", 1, 3, 2, true, { 1, 2, 3, 1, 2, 3 } },
        OrderCase { "TwoUncollated", 1, 3, 2, false, { 1, 1, 2, 2, 3, 3 } },
        OrderCase { "NoCopies", 1, 3, 0, true, {} }, OrderCase { "NoPages", 1, 0, 2, false, {} },
        OrderCase { "Range", 2, 3, 1, true, { 2, 3 } }),
    [](const testing::TestParamInfo<OrderCase> &info) { return info.param.name; });

TEST(ZoomCursors, MagnifierWithSignInLensAtHotSpot)
{
    for (bool zoomIn : { true, false }) {
        const std::vector<std::string> rows = zoomCursorPattern(zoomIn);
        ASSERT_EQ(rows.size(), 32u);
        for (const std::string &row : rows)
            ASSERT_EQ(row.size(), 32u);
        // The sign's bar crosses the hot spot; glass left and right of it, ring further out.
        EXPECT_EQ(rows[zoomCursorHotY][zoomCursorHotX], '#');
        EXPECT_EQ(rows[zoomCursorHotY + 1][zoomCursorHotX - 1], '.');
        EXPECT_EQ(rows[zoomCursorHotY][zoomCursorHotX + 6], '#');
        // Corners away from the glass are transparent; the handle reaches down to the right.
        EXPECT_EQ(rows[0][31], ' ');
        EXPECT_EQ(rows[31][0], ' ');
        EXPECT_EQ(rows[16][16], '#');
        // The plus has a vertical post, the minus has not.
        EXPECT_EQ(rows[zoomCursorHotY - 2][zoomCursorHotX], zoomIn ? '#' : '.');
    }
}

TEST(ZoomCursors, RegisteredAsApplicationCursors)
{
    registerZoomCursors();
    for (int id : { crZoomIn, crZoomOut }) {
        const QCursor cursor = applicationCursor(id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.hotSpot(), QPoint(zoomCursorHotX, zoomCursorHotY));
        EXPECT_EQ(cursor.bitmap().size(), QSize(32, 32));
    }
    EXPECT_EQ(applicationCursor(999).shape(), Qt::ArrowCursor);
}

} // namespace
