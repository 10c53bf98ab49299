#include "docview_test_support.h"

#include "docview/dv_background.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<DrawCall> drawingCalls(const TestCanvas &canvas)
{
    std::vector<DrawCall> result;
    for (const DrawCall &call : canvas.calls())
        if (call.kind != DrawCall::Kind::SetClip && call.kind != DrawCall::Kind::RemoveClip)
            result.push_back(call);
    return result;
}

TEST(BackgroundTest, CenteredBitmapOverTheColour)
{
    TDVBackground background;
    background.Picture = Bitmap(340, 340, clBlue);
    background.BackStyle = bsCentered;
    TestCanvas canvas;
    background.Draw(canvas, { 0, 0, 665, 500 }, 0, 0, 0, 0, 665, 500, clWhite, false);
    const auto calls = drawingCalls(canvas);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::FillRect);
    EXPECT_EQ(calls[0].rect, (Rect { 0, 0, 665, 500 }));
    EXPECT_EQ(calls[1].kind, DrawCall::Kind::Bitmap);
    EXPECT_EQ(calls[1].x, 162);
    EXPECT_EQ(calls[1].y, 80);
}

TEST(BackgroundTest, PartOfTheAreaMovesThePicture)
{
    TDVBackground background;
    background.Picture = Bitmap(340, 340, clBlue);
    background.BackStyle = bsCentered;
    TestCanvas canvas;
    background.Draw(canvas, { 100, 50, 300, 150 }, 0, 0, 0, 0, 665, 500, clWhite, false);
    const auto calls = drawingCalls(canvas);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rect, (Rect { 0, 0, 200, 100 }));
    EXPECT_EQ(calls[1].x, 62);
    EXPECT_EQ(calls[1].y, 30);
}

struct PlacementRow
{
    const char *name;
    TBackgroundStyle style;
    TColor color;
    bool withPicture;
    int vOffs;
    std::vector<DrawCall::Kind> expectedKinds;
    Point firstPicture;
};

class BackgroundPlacementTest : public testing::TestWithParam<PlacementRow>
{ };

TEST_P(BackgroundPlacementTest, DrawsWhatTheStyleAsks)
{
    const PlacementRow &row = GetParam();
    TDVBackground background;
    if (row.withPicture)
        background.Picture = Bitmap(100, 64, clBlue);
    background.BackStyle = row.style;
    TestCanvas canvas;
    background.Draw(canvas, { 0, 0, 150, 100 }, 0, row.vOffs, 0, 0, 150, 100, row.color, false);
    const auto calls = drawingCalls(canvas);
    std::vector<DrawCall::Kind> kinds;
    for (const DrawCall &call : calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, row.expectedKinds);
    for (const DrawCall &call : calls) {
        if (call.kind == DrawCall::Kind::Bitmap) {
            EXPECT_EQ((Point { call.x, call.y }), row.firstPicture);
            break;
        }
        if (call.kind == DrawCall::Kind::StretchBitmap) {
            EXPECT_EQ((Point { call.rect.left, call.rect.top }), row.firstPicture);
            break;
        }
    }
}

using K = DrawCall::Kind;

INSTANTIATE_TEST_SUITE_P(Rows, BackgroundPlacementTest,
    testing::Values(PlacementRow { "StretchedOpaqueHasNoFill", bsStretched, clWhite, true, 0,
                        { K::StretchBitmap }, { 0, 0 } },
        PlacementRow { "NoBitmapAndNoColourDrawsNothing", bsNoBitmap, clNone, true, 0, {}, {} },
        PlacementRow {
            "NoBitmapFillsTheColour", bsNoBitmap, clWhite, true, 0, { K::FillRect }, {} },
        PlacementRow { "EmptyPictureStillFills", bsTiled, clWhite, false, 0, { K::FillRect }, {} },
        // Rows 0..1 and columns 0..1 of a 100 x 64 tile over 150 x 100.
        PlacementRow { "Tiled", bsTiled, clWhite, true, 100,
            { K::Bitmap, K::Bitmap, K::Bitmap, K::Bitmap }, { 0, 0 } },
        // Rows (100 + 0) / 64 = 1 .. (100 + 100) / 64 = 3; the first at 64 - 100 = -36.
        PlacementRow { "TiledAndScrolled", bsTiledAndScrolled, clWhite, true, 100,
            { K::Bitmap, K::Bitmap, K::Bitmap, K::Bitmap, K::Bitmap, K::Bitmap }, { 0, -36 } }),
    [](const testing::TestParamInfo<PlacementRow> &info) { return info.param.name; });

TEST(BackgroundTest, ScrollingNeedsAFullRedrawOnlyForAFixedPicture)
{
    TDVBackground background;
    background.BackStyle = bsCentered;
    EXPECT_FALSE(background.ScrollRequiresFullRedraw());
    background.Picture = Bitmap(4, 4);
    EXPECT_TRUE(background.ScrollRequiresFullRedraw());
    background.BackStyle = bsTiledAndScrolled;
    EXPECT_FALSE(background.ScrollRequiresFullRedraw());
}

TEST(PictureToDeviceTest, ScalesFromScreenToDevice)
{
    TestCanvas canvas(600, 600);
    const TDVScreenAndDevice sad { 96, 96, 600, 600, 0, 0 };
    DV_PictureToDevice(canvas, 10, 20, -1, -1, sad, Bitmap(96, 48), false);
    const auto calls = canvas.callsOf(DrawCall::Kind::StretchBitmap);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rect, Rect::fromSize(10, 20, 600, 300));
}

// ---- break items ----

TEST(BreakPaintTest, ScreenRuleInTextStyleZeroColour)
{
    TDVStyle sheet;
    sheet.TextStyles[0].Color = clMaroon;
    TDVBreakItemInfo rule(nullptr);
    rule.LineWidth = 3;
    TestCanvas canvas;
    rule.PaintFullWidth(10, 200, 30, canvas, {}, sheet, { 0, 0, 300, 300 }, TDVDrawLineInfo());
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 15);
    EXPECT_EQ(lines[0].y, 35);
    EXPECT_EQ(lines[0].x2, 195);
    EXPECT_EQ(lines[0].pen.width, 3);
    EXPECT_EQ(lines[0].pen.color, clMaroon);
    EXPECT_EQ(canvas.pen().width, 1);
    rule.PaintFullWidth(10, 200, 30, canvas, { dvidsSelected, dvidsControlFocused }, sheet,
        { 0, 0, 300, 300 }, TDVDrawLineInfo());
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Line).size(), 4u);
}

struct PrintRow
{
    const char *name;
    TColor ruleColor;
    TColor styleColor;
    TDVColorMode mode;
    TColor expected;
};

class BreakPrintTest : public testing::TestWithParam<PrintRow>
{ };

TEST_P(BreakPrintTest, PrinterRuleAt600Ppi)
{
    TDVStyle sheet;
    sheet.TextStyles[0].Color = GetParam().styleColor;
    FixedData data(&sheet, 600);
    TDVBreakItemInfo rule(&data);
    rule.Color = GetParam().ruleColor;
    TestCanvas canvas(600, 600);
    const TDVScreenAndDevice sad { 96, 96, 600, 600, 0, 0 };
    rule.Print(
        canvas, 100, 200, 4000, false, false, sad, TDVDrawLineInfo(), -1, GetParam().mode, data);
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen.width, 6);
    EXPECT_EQ(lines[0].pen.style, PenStyle::InsideFrame);
    EXPECT_EQ(lines[0].x, 131);
    EXPECT_EQ(lines[0].y, 231);
    EXPECT_EQ(lines[0].x2, 4000 - 31);
    EXPECT_EQ(lines[0].pen.color, GetParam().expected);
    EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
}

INSTANTIATE_TEST_SUITE_P(Rows, BreakPrintTest,
    testing::Values(PrintRow { "NoneUsesStyleZero", clNone, clRed, dvcmColor, clRed },
        PrintRow { "BlackAndWhiteIsBlack", clNone, clRed, dvcmBlackAndWhite, clBlack },
        PrintRow { "BlackAndWhiteKeepsWhite", clNone, clWhite, dvcmBlackAndWhite, clWhite },
        PrintRow { "PrinterColorOfWindowText", clWindowText, clRed, dvcmPrinterColor, clBlack }),
    [](const testing::TestParamInfo<PrintRow> &info) { return info.param.name; });

// ---- painting formatted items ----

class PaintToTest : public testing::Test
{
protected:
    PaintToTest()
    {
        data.width = 200;
        data.leftMargin = 5;
        data.topMargin = 5;
    }
    std::unique_ptr<TDVStyle> sheet = makeFixedPitchSheet();
    FixedData data { sheet.get() };
    TestCanvas canvas;
};

TEST_F(PaintToTest, PiecesAreDrawnRelativeToTheClipAndScroll)
{
    data.AddNL("hello", 0, 0);
    data.AddNL("world", 1, 1);
    data.format();
    data.vOffs = 3;
    data.PaintTo(canvas, { 2, 4, 200, 100 });
    const auto texts = canvas.callsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "hello");
    EXPECT_EQ(texts[0].x, 5 - 2);
    EXPECT_EQ(texts[0].y, 5 - 3 - 4);
    EXPECT_EQ(texts[0].textColor, clWindowText);
    EXPECT_EQ(texts[1].text, "world");
    EXPECT_EQ(texts[1].x, data.DrawItems[1].Left - 2);
    EXPECT_EQ(texts[1].font.points, 12);
}

TEST_F(PaintToTest, OnlyPiecesNearTheClipAreDrawn)
{
    for (int i = 0; i < 100; ++i)
        data.AddNL("line " + std::to_string(i), 0, 0);
    data.format();
    const int line = 17;
    data.PaintTo(canvas, { 0, 50 * line, 200, 52 * line });
    const auto texts = canvas.callsOf(DrawCall::Kind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_LE(texts.size(), 5u);
    EXPECT_EQ(texts.front().text, "line 49");
}

TEST_F(PaintToTest, PageBreakMarksAndRules)
{
    data.options.insert(dvoShowPageBreaks);
    data.AddNL("a", 0, 0);
    data.AddBreakExTag(1, dvbsLine, clNone, 0);
    data.AddNL("b", 0, 0);
    data.SetPageBreaksBeforeItems(2, true);
    data.format();
    data.PaintTo(canvas, { 0, 0, 200, 300 });
    const auto polygons = canvas.callsOf(DrawCall::Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points[0].y, data.DrawItems[2].Top - 1);
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 2u); // the rule, then the page-break line
    EXPECT_EQ(lines[0].x, 5 + 5);
    EXPECT_EQ(lines[0].x2, 200 - 5);
    EXPECT_EQ(lines[0].y, data.DrawItems[1].Top + 5);
}

TEST_F(PaintToTest, ParagraphBackgroundCoversItsLines)
{
    sheet->ParaStyles[1].Background.Color = clYellow;
    data.AddNL("a", 0, 0);
    data.AddNL("b", 0, 1);
    data.AddNL("c", 0, -1);
    data.format();
    data.PaintTo(canvas, { 0, 0, 200, 300 });
    const auto fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect.top, data.DrawItems[1].Top);
    EXPECT_EQ(fills[0].rect.bottom, data.DrawItems[1].Bottom() + 1);
    EXPECT_EQ(fills[0].rect.left, 5);
    EXPECT_EQ(fills[0].brush.color, clYellow);
}

} // namespace
