#include "platform/test_canvas.h"

#include "bitmap.h"

#include <gtest/gtest.h>

namespace {

struct MetricsRow
{
    const char *name;
    FontSpec font;
    int resolution;
    int em;
    int charWidth; // width of 'A'
    int spaceWidth;
};

FontSpec withStyle(FontSpec font, FontStyles style)
{
    font.style = style;
    return font;
}

FontSpec withPixelHeight(FontSpec font, int pixels)
{
    font.pixelHeight = pixels;
    return font;
}

FontSpec withWidth(FontSpec font, int width)
{
    font.width = width;
    return font;
}

class TestFontMetricsTest : public testing::TestWithParam<MetricsRow>
{ };

TEST_P(TestFontMetricsTest, FollowsTheDocumentedRules)
{
    const MetricsRow &row = GetParam();
    TestCanvas canvas(row.resolution, row.resolution);
    canvas.setFont(row.font);
    const TextMetrics m = canvas.textMetrics();
    EXPECT_EQ(m.ascent, row.em);
    EXPECT_EQ(m.descent, row.em / 4);
    EXPECT_EQ(m.height, row.em + row.em / 4);
    EXPECT_EQ(m.externalLeading, row.em / 8);
    EXPECT_EQ(canvas.textWidth("A"), row.charWidth);
    EXPECT_EQ(canvas.textWidth(" "), row.spaceWidth);
    EXPECT_EQ(canvas.textWidth("AAA  "), 3 * row.charWidth + 2 * row.spaceWidth);
}

INSTANTIATE_TEST_SUITE_P(Fonts, TestFontMetricsTest,
    testing::Values(MetricsRow { "Crystal9AtScreen", { "Crystal", 9 }, 96, 12, 7, 7 },
        MetricsRow { "Crystal9AtPrinter", { "Crystal", 9 }, 600, 75, 45, 45 },
        MetricsRow {
            "CrystalBoldAddsOne", withStyle({ "Crystal", 9 }, FontStyle::Bold), 600, 75, 46, 46 },
        MetricsRow { "ArialIsProportional", { "Arial", 10 }, 96, 13, 6, 3 },
        MetricsRow { "PixelHeightWins", withPixelHeight({ "Crystal", 9 }, 16), 600, 16, 9, 9 },
        MetricsRow { "WidthReplacesEveryWidth", withWidth({ "Arial", 10 }, 5), 96, 13, 5, 5 }),
    [](const testing::TestParamInfo<MetricsRow> &info) { return std::string(info.param.name); });

TEST(TestCanvasTest, FitCountStopsBeforeTheFirstCharacterThatOverflows)
{
    TestCanvas canvas;
    canvas.setFont({ "Arial", 10 }); // em 13: 'm' 13, 'i' 3, others 6
    EXPECT_EQ(canvas.fitCount("mia", 15), 1);
    EXPECT_EQ(canvas.fitCount("mia", 16), 2);
    EXPECT_EQ(canvas.fitCount("mia", 22), 3);
    EXPECT_EQ(canvas.fitCount("mia", 0), 0);
    EXPECT_EQ(canvas.partialWidths("mia"), (std::vector<int> { 13, 16, 22 }));
}

TEST(TestCanvasTest, RecordsTextWithTheStateInForce)
{
    TestCanvas canvas(600, 600);
    canvas.setFont({ "Crystal", 9 });
    canvas.setTextColor(clRed);
    canvas.setBrush({ BrushStyle::Clear });
    canvas.setCharacterMap(CharacterMap::Document);
    canvas.textOut(10, 20, "\xC4\xC4");
    ASSERT_EQ(canvas.calls().size(), 1u);
    const DrawCall &call = canvas.calls()[0];
    EXPECT_EQ(call.kind, DrawCall::Kind::Text);
    EXPECT_EQ(call.text, "\xC4\xC4");
    EXPECT_EQ(call.x, 10);
    EXPECT_EQ(call.y, 20);
    EXPECT_EQ(call.textColor, clRed);
    EXPECT_EQ(call.brush.style, BrushStyle::Clear);
    EXPECT_EQ(call.font.face, "Crystal");
    EXPECT_EQ(call.metrics.height, 93);
    EXPECT_EQ(call.characterMap, CharacterMap::Document);
}

TEST(TestCanvasTest, AnisotropicMappingScalesAndMovesDevicePositions)
{
    TestCanvas canvas;
    canvas.setMappingAnisotropic({ 4958, 7017 }, { 496, 702 }, { 30, 40 });
    canvas.textOut(4958, 7017, "x");
    canvas.fillRect({ 100, 100, 200, 200 }, clBlack);
    EXPECT_EQ(canvas.calls()[0].device, (Point { 30 + 496, 40 + 702 }));
    EXPECT_EQ(canvas.calls()[1].device, (Point { 40, 50 }));
    canvas.setMappingText();
    EXPECT_EQ(canvas.logicalToDevice({ 7, 9 }), (Point { 7, 9 }));
}

TEST(TestCanvasTest, ClipBoundsFollowIntersectionsAndRestore)
{
    TestCanvas canvas;
    canvas.setClipRect({ 0, 0, 100, 100 });
    canvas.save();
    canvas.intersectClipRect({ 50, 20, 300, 80 });
    EXPECT_EQ(canvas.clipBounds(), (Rect { 50, 20, 100, 80 }));
    canvas.setMappingText({ 10, 10 });
    EXPECT_EQ(canvas.clipBounds(), (Rect { 40, 10, 90, 70 }));
    canvas.restore();
    EXPECT_EQ(canvas.clipBounds(), (Rect { 0, 0, 100, 100 }));
}

TEST(TestCanvasTest, SaveAndRestoreBringBackFontPenBrushAndExtra)
{
    TestCanvas canvas;
    canvas.setFont({ "Arial", 10 });
    canvas.setCharacterExtra(2);
    canvas.save();
    canvas.setFont({ "Crystal", 12 });
    canvas.setCharacterExtra(0);
    canvas.setPen({ PenStyle::Clear });
    canvas.restore();
    EXPECT_EQ(canvas.font().face, "Arial");
    EXPECT_EQ(canvas.characterExtra(), 2);
    EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
    EXPECT_EQ(canvas.textWidth("AA"), 2 * (6 + 2));
}

TEST(TestCanvasTest, TileBitmapCoversTheAreaFromTheOrigin)
{
    TestCanvas canvas;
    const Bitmap tile(10, 8);
    canvas.tileBitmap({ 5, 4, 25, 12 }, tile, 0, 0);
    const std::vector<DrawCall> parts = canvas.callsOf(DrawCall::Kind::BitmapPart);
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[0].rect, (Rect { 5, 4, 10, 8 }));
    EXPECT_EQ(parts[0].source, (Rect { 5, 4, 10, 8 }));
    EXPECT_EQ(parts[5].rect, (Rect { 20, 8, 25, 12 }));
    EXPECT_EQ(parts[5].source, (Rect { 0, 0, 5, 4 }));
}

TEST(TestCanvasTest, Frame3DDrawsRingsAndShrinksTheRectangle)
{
    TestCanvas canvas;
    Rect rect { 0, 0, 20, 10 };
    canvas.frame3D(rect, clBtnHighlight, clBtnShadow, 2);
    EXPECT_EQ(rect, (Rect { 2, 2, 18, 8 }));
    const std::vector<DrawCall> lines = canvas.callsOf(DrawCall::Kind::Polyline);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].pen.color, clBtnHighlight);
    EXPECT_EQ(lines[0].points, (std::vector<Point> { { 0, 9 }, { 0, 0 }, { 19, 0 } }));
    EXPECT_EQ(lines[1].pen.color, clBtnShadow);
    EXPECT_EQ(lines[1].points, (std::vector<Point> { { 19, 0 }, { 19, 9 }, { -1, 9 } }));
}

struct DrawTextRow
{
    const char *name;
    std::string text;
    unsigned flags;
    Rect expectedCalc;
};

class DrawTextTest : public testing::TestWithParam<DrawTextRow>
{ };

// Arial at a 16-pixel em: ordinary characters 8, ' ' 'i' 'l' 4, 'm' 'w' 16; line height 20;
// tab stops every 8 x 8 = 64 pixels.
TEST_P(DrawTextTest, CalcRectGivesTheTextSize)
{
    const DrawTextRow &row = GetParam();
    TestCanvas canvas;
    FontSpec font { "Arial", 10 };
    font.pixelHeight = 16;
    canvas.setFont(font);
    Rect rect { 10, 10, 60, 100 };
    canvas.drawText(rect, row.text, row.flags | DrawTextFlag::CalcRect);
    EXPECT_EQ(rect, row.expectedCalc);
    EXPECT_TRUE(canvas.calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, DrawTextTest,
    testing::Values(
        DrawTextRow { "SingleLine", "abc", DrawTextFlag::SingleLine, { 10, 10, 34, 30 } },
        DrawTextRow { "PrefixIsNotDrawn", "&abc", DrawTextFlag::SingleLine, { 10, 10, 34, 30 } },
        DrawTextRow {
            "DoubleAmpersandIsOne", "a&&b", DrawTextFlag::SingleLine, { 10, 10, 34, 30 } },
        DrawTextRow { "NoPrefixKeepsAmpersands", "a&&b",
            DrawTextFlag::SingleLine | DrawTextFlag::NoPrefix, { 10, 10, 42, 30 } },
        DrawTextRow { "TabsExpandToStops", "a\tb",
            DrawTextFlag::SingleLine | DrawTextFlag::ExpandTabs, { 10, 10, 82, 30 } },
        DrawTextRow { "LineBreaksMakeLines", "ab\r\nabc", 0, { 10, 10, 34, 50 } },
        DrawTextRow {
            "WordBreakWrapsAtSpaces", "abc abc abc", DrawTextFlag::WordBreak, { 10, 10, 34, 70 } },
        DrawTextRow {
            "LongWordKeepsItsLine", "abcdefgh", DrawTextFlag::WordBreak, { 10, 10, 74, 30 } }),
    [](const testing::TestParamInfo<DrawTextRow> &info) { return std::string(info.param.name); });

TEST(TestCanvasTest, DrawTextIsRecordedOnceWithItsFlags)
{
    TestCanvas canvas;
    Rect rect { 0, 0, 100, 20 };
    const int height = canvas.drawText(rect, "&File", DrawTextFlag::SingleLine);
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.calls()[0].kind, DrawCall::Kind::DrawText);
    EXPECT_EQ(canvas.calls()[0].text, "&File");
    EXPECT_EQ(height, canvas.textMetrics().height);
}

} // namespace
