#include "docview_test_support.h"

#include "docview/dv_style.h"
#include "platform/test_canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(StyleSheetTest, StandardContents)
{
    TDVStyle sheet;
    struct Row
    {
        const char *name;
        FontStyles style;
        TColor color;
        bool jump;
    };
    const std::vector<Row> expected = {
        { "Normal text", {}, clWindowText, false },
        { "Heading", FontStyle::Bold, clBlue, false },
        { "Subheading", FontStyle::Bold, clNavy, false },
        { "Keywords", FontStyle::Italic, clMaroon, false },
        { "Jump 1", FontStyle::Underline, clGreen, true },
        { "Jump 2", FontStyle::Underline, clGreen, true },
    };
    ASSERT_EQ(sheet.TextStyles.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(expected[std::size_t(i)].name);
        const TFontInfo &style = sheet.TextStyles[i];
        EXPECT_EQ(style.StyleName, expected[std::size_t(i)].name);
        EXPECT_EQ(style.Style, expected[std::size_t(i)].style);
        EXPECT_EQ(style.Color, expected[std::size_t(i)].color);
        EXPECT_EQ(style.Jump, expected[std::size_t(i)].jump);
        EXPECT_EQ(style.FontName, "Arial");
        EXPECT_EQ(style.Size, 10);
    }
    ASSERT_EQ(sheet.ParaStyles.Count(), 2);
    EXPECT_EQ(sheet.ParaStyles[0].StyleName, "Paragraph Style");
    EXPECT_EQ(sheet.ParaStyles[1].StyleName, "Centered");
    EXPECT_EQ(sheet.ParaStyles[1].Alignment, dvaCenter);
    EXPECT_EQ(sheet.SpacesInTab, 8);
}

TEST(StyleSheetTest, ReportSheetAsTheFormDescribesIt)
{
    auto sheet = CreateReportStyleSheet();
    struct Row
    {
        const char *name;
        int size;
        FontStyles style;
        TColor color;
        bool jump;
    };
    const std::vector<Row> expected = {
        { "Normal text", 9, {}, clWindowText, false },
        { "Heading", 9, FontStyle::Bold, clBlue, false },
        { "Subheading", 12, FontStyle::Bold, clRed, false },
        { "Keywords", 12, FontStyle::Bold, clMaroon, false },
        { "Jump 1", 9, FontStyle::Underline, clWindowText, true },
        { "Jump 2", 9, FontStyle::Underline, clGreen, true },
    };
    ASSERT_EQ(sheet->TextStyles.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        const TFontInfo &style = sheet->TextStyles[i];
        const Row &row = expected[std::size_t(i)];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(style.StyleName, row.name);
        EXPECT_EQ(style.FontName, "Crystal");
        EXPECT_EQ(style.Size, row.size);
        EXPECT_EQ(style.Style, row.style);
        EXPECT_EQ(style.Color, row.color);
        EXPECT_EQ(style.Jump, row.jump);
        EXPECT_EQ(style.Charset, 1);
        EXPECT_EQ(style.JumpCursor, 101);
    }
    ASSERT_EQ(sheet->ParaStyles.Count(), 2);
    EXPECT_EQ(sheet->ParaStyles[0].Alignment, dvaLeft);
    EXPECT_EQ(sheet->ParaStyles[1].StyleName, "Centered");
    EXPECT_EQ(sheet->ParaStyles[1].Alignment, dvaCenter);
    EXPECT_EQ(sheet->Color, clNone);
    EXPECT_EQ(sheet->SelColor, clNone);
    EXPECT_EQ(sheet->SelTextColor, clWindowText);
    EXPECT_EQ(sheet->InactiveSelColor, clNone);
    EXPECT_EQ(sheet->InactiveSelTextColor, clNone);
    EXPECT_FALSE(sheet->InvalidPicture.isEmpty());
}

TEST(StyleSheetTest, BadTextStyleNumberGivesTheWhiteOnRedSubstitute)
{
    auto sheet = CreateReportStyleSheet();
    const TFontInfo &substitute = sheet->TextStyles.GetItem(6);
    EXPECT_EQ(substitute.FontName, "Crystal");
    EXPECT_EQ(substitute.Size, 9);
    EXPECT_EQ(substitute.Color, clWhite);
    EXPECT_EQ(substitute.BackColor, clRed);
    EXPECT_EQ(&sheet->TextStyles.GetItem(-1), &substitute);
    // Built once: later changes to style 0 do not reach it.
    sheet->TextStyles[0].Size = 20;
    EXPECT_EQ(sheet->TextStyles.GetItem(6).Size, 9);
    EXPECT_EQ(&sheet->TextStyles.GetItem(0), &sheet->TextStyles[0]);
}

TEST(StyleSheetTest, BadParagraphNumberGivesTheRedFramedSubstitute)
{
    TDVStyle sheet;
    sheet.ParaStyles[0].FirstIndent = 7;
    const TParaInfo &substitute = sheet.ParaStyles.GetItem(2);
    EXPECT_EQ(substitute.FirstIndent, 7);
    EXPECT_EQ(substitute.SpaceBefore, 1);
    EXPECT_EQ(substitute.SpaceAfter, 1);
    EXPECT_EQ(substitute.LeftIndent, 1);
    EXPECT_EQ(substitute.RightIndent, 1);
    EXPECT_EQ(substitute.Border.Color, clRed);
    EXPECT_EQ(substitute.Border.Style, dvbSingle);
    EXPECT_EQ(substitute.Border.Width, 2);
    EXPECT_EQ(substitute.Border.BorderOffsets, (TDVRect { 1, 1, 1, 1 }));
    EXPECT_EQ(&sheet.ParaStyles.GetItem(99), &substitute);
}

TEST(StyleSheetTest, EmptyCollectionsSubstituteTheRecordDefaults)
{
    TDVStyle sheet;
    sheet.TextStyles.Clear();
    EXPECT_EQ(sheet.TextStyles.GetItem(0).FontName, "Arial");
    EXPECT_EQ(sheet.TextStyles.GetItem(0).BackColor, clRed);
}

TEST(StyleSheetTest, AddAndDeleteTextStyles)
{
    TDVStyle sheet;
    const int added = sheet.AddTextStyle();
    EXPECT_EQ(added, 6);
    EXPECT_EQ(sheet.TextStyles[added].StyleName, "Font Style");
    EXPECT_EQ(sheet.TextStyles[added].Color, clWindowText);
    sheet.DeleteTextStyle(1);
    EXPECT_EQ(sheet.TextStyles.Count(), 6);
    EXPECT_EQ(sheet.TextStyles[1].StyleName, "Subheading");
    sheet.DeleteTextStyle(40);
    EXPECT_EQ(sheet.TextStyles.Count(), 6);
}

struct BorderRow
{
    TDVBorderStyle style;
    int expected;
};

TEST(StyleSheetTest, BorderTotalWidth)
{
    const std::vector<BorderRow> rows = {
        { dvbNone, 0 },
        { dvbSingle, 3 },
        { dvbDouble, 8 },
        { dvbTriple, 13 },
        { dvbThickInside, 11 },
        { dvbThickOutside, 11 },
    };
    for (const BorderRow &row : rows) {
        TDVBorder border;
        border.Width = 3;
        border.InternalWidth = 2;
        border.Style = row.style;
        EXPECT_EQ(border.GetTotalWidth(), row.expected) << int(row.style);
    }
}

struct ColorRow
{
    const char *name;
    TColor color;
    TDVColorMode mode;
    TColor expectedColor;
    TColor expectedBack;
};

class ColorHelperTest : public testing::TestWithParam<ColorRow>
{ };

TEST_P(ColorHelperTest, MapsByMode)
{
    EXPECT_EQ(DV_GetColor(GetParam().color, GetParam().mode), GetParam().expectedColor);
    EXPECT_EQ(DV_GetBackColor(GetParam().color, GetParam().mode), GetParam().expectedBack);
}

INSTANTIATE_TEST_SUITE_P(Rows, ColorHelperTest,
    testing::Values(ColorRow { "NoneStaysNone", clNone, dvcmBlackAndWhite, clNone, clNone },
        ColorRow { "ColorKeepsSystem", clWindowText, dvcmColor, clWindowText, clWindowText },
        ColorRow { "PrinterWindowText", clWindowText, dvcmPrinterColor, clBlack, clBlack },
        ColorRow { "PrinterWindow", clWindow, dvcmPrinterColor, clWhite, clWhite },
        ColorRow { "GrayOfRed", clRed, dvcmGrayScale, rgbColor(77, 77, 77), rgbColor(77, 77, 77) },
        ColorRow { "BlackAndWhiteRed", clRed, dvcmBlackAndWhite, clBlack, clWhite },
        ColorRow { "BlackOnWhiteWhite", clWhite, dvcmBlackOnWhite, clWhite, clWhite }),
    [](const testing::TestParamInfo<ColorRow> &info) { return info.param.name; });

TEST(ColorHelperTest, LuminanceAndGray)
{
    EXPECT_EQ(DV_GetGray(clWhite), rgbColor(255, 255, 255));
    EXPECT_EQ(DV_GetGray(clNone), clNone);
    EXPECT_EQ(DV_GetLuminance(clBlue), 28); // 0.11 x 255 = 28.05
    EXPECT_EQ(DV_GetLuminance(clGreen), 76); // 0.59 x 128 = 75.52
    EXPECT_EQ(DV_GetLuminance(rgbColor(5, 0, 0)), 2); // 1.5 rounds up
    EXPECT_EQ(DV_GetPrnColor(clNavy), clNavy);
}

struct ApplyColorRow
{
    const char *name;
    TColor color;
    TColor backColor;
    TDVTextDrawState state;
    bool printing;
    TDVColorMode mode;
    TColor expectedText;
    TColor expectedBrush; // clNone: clear brush
};

class ApplyColorTest : public testing::TestWithParam<ApplyColorRow>
{ };

TEST_P(ApplyColorTest, SetsFontColourAndBrush)
{
    TDVStyle sheet;
    sheet.SelColor = clYellow;
    sheet.SelTextColor = clNone;
    sheet.InactiveSelColor = clSilver;
    sheet.InactiveSelTextColor = clPurple;
    sheet.TextStyles[0].Color = GetParam().color;
    sheet.TextStyles[0].BackColor = GetParam().backColor;
    sheet.TextStyles[0].HoverColor = clTeal;
    sheet.TextStyles[0].HoverBackColor = clAqua;
    TestCanvas canvas;
    sheet.ApplyStyleColor(canvas, 0, GetParam().state, GetParam().printing, GetParam().mode);
    EXPECT_EQ(canvas.textColor(), GetParam().expectedText);
    if (GetParam().expectedBrush == clNone) {
        EXPECT_EQ(canvas.brush().style, BrushStyle::Clear);
    } else {
        EXPECT_EQ(canvas.brush().style, BrushStyle::Solid);
        EXPECT_EQ(canvas.brush().color, GetParam().expectedBrush);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ApplyColorTest,
    testing::Values(ApplyColorRow { "ScreenUsesTheStyle", clRed, clNone, {}, false,
                        dvcmBlackAndWhite, clRed, clNone },
        ApplyColorRow { "PrinterColorWindowText", clWindowText, clNone, {}, true, dvcmPrinterColor,
            clBlack, clNone },
        ApplyColorRow {
            "GrayScale", clRed, clWindow, {}, true, dvcmGrayScale, rgbColor(77, 77, 77), clWhite },
        ApplyColorRow { "BlackAndWhiteLightOnNavy", clYellow, clNavy, {}, true, dvcmBlackAndWhite,
            clWhite, clBlack },
        ApplyColorRow { "BlackAndWhiteDarkOnLight", clNavy, clYellow, {}, true, dvcmBlackAndWhite,
            clBlack, clWhite },
        ApplyColorRow { "BlackAndWhiteWhiteTextNoBack", clWhite, clNone, {}, true,
            dvcmBlackAndWhite, clWhite, clNone },
        ApplyColorRow {
            "BlackOnWhite", clRed, clYellow, {}, true, dvcmBlackOnWhite, clBlack, clNone },
        ApplyColorRow { "SelectedFocusedFallsBackToStyleColor", clRed, clNone,
            { dvtsSelected, dvtsControlFocused }, false, dvcmColor, clRed, clYellow },
        ApplyColorRow { "SelectedUnfocused", clRed, clNone, { dvtsSelected }, false, dvcmColor,
            clPurple, clSilver },
        ApplyColorRow {
            "Hover", clRed, clNone, { dvtsHover }, true, dvcmBlackOnWhite, clTeal, clAqua }),
    [](const testing::TestParamInfo<ApplyColorRow> &info) { return info.param.name; });

struct ExtraRow
{
    const char *name;
    TDVBiDiMode styleMode;
    TDVBiDiMode paraMode;
    int expectedExtra;
};

class ApplyStyleExtraTest : public testing::TestWithParam<ExtraRow>
{ };

TEST_P(ApplyStyleExtraTest, CharacterExtraFollowsTheDirection)
{
    TDVStyle sheet;
    sheet.TextStyles[0].CharSpacing = 3;
    sheet.TextStyles[0].BiDiMode = GetParam().styleMode;
    TestCanvas canvas;
    canvas.setCharacterExtra(9);
    sheet.ApplyStyle(canvas, 0, GetParam().paraMode);
    EXPECT_EQ(canvas.characterExtra(), GetParam().expectedExtra);
}

INSTANTIATE_TEST_SUITE_P(Rows, ApplyStyleExtraTest,
    testing::Values(ExtraRow { "Unspecified", dvbdUnspecified, dvbdUnspecified, 3 },
        ExtraRow { "LeftToRightStyle", dvbdLeftToRight, dvbdUnspecified, 0 },
        ExtraRow { "RightToLeftParagraph", dvbdUnspecified, dvbdRightToLeft, 0 },
        ExtraRow { "StyleOverridesParagraph", dvbdUnspecified, dvbdUnspecified, 3 }),
    [](const testing::TestParamInfo<ExtraRow> &info) { return info.param.name; });

TEST(ApplyStyleTest, SelectsTheFontAtTheCanvasResolution)
{
    auto sheet = CreateReportStyleSheet();
    TestCanvas canvas(600, 600);
    sheet->ApplyStyle(canvas, 1, dvbdUnspecified);
    EXPECT_EQ(canvas.font().face, "Crystal");
    EXPECT_EQ(canvas.font().points, 9);
    EXPECT_TRUE(canvas.font().style.has(FontStyle::Bold));
    EXPECT_EQ(canvas.characterMap(), CharacterMap::Document);
    EXPECT_EQ(canvas.textMetrics().ascent, 75); // MulDiv(9, 600, 72)
}

TEST(ApplyStyleTest, CharScaleScalesTheAverageWidth)
{
    TDVStyle sheet;
    sheet.TextStyles[0].CharScale = 50;
    TestCanvas canvas;
    sheet.ApplyStyle(canvas, 0, dvbdUnspecified);
    // Arial 10 pt at 96 ppi: em 13, average width 6 -> 3.
    EXPECT_EQ(canvas.font().pixelHeight, 13);
    EXPECT_EQ(canvas.font().width, 3);
    EXPECT_EQ(canvas.textWidth("ab"), 6);
}

TEST(StyleHooksTest, HandlersRunFirstAndMaySuppressTheDefault)
{
    TDVStyle sheet;
    std::vector<std::string> calls;
    sheet.OnApplyStyle = [&](TDVStyle &, Canvas &, int styleNo, TDVBiDiMode, bool &doDefault) {
        calls.push_back("style " + std::to_string(styleNo));
        doDefault = styleNo != 2;
    };
    sheet.OnApplyStyleColor = [&](TDVStyle &, Canvas &, int, TDVTextDrawState, bool &doDefault) {
        calls.push_back("color");
        doDefault = false;
    };
    TestCanvas canvas;
    canvas.setTextColor(clLime);
    sheet.ApplyStyle(canvas, 1, dvbdUnspecified);
    EXPECT_TRUE(canvas.font().style.has(FontStyle::Bold));
    sheet.ApplyStyle(canvas, 2, dvbdUnspecified);
    EXPECT_EQ(canvas.font().face, "Arial");
    EXPECT_TRUE(canvas.font().style.has(FontStyle::Bold)); // still style 1's font
    sheet.ApplyStyleColor(canvas, 0, {}, false, dvcmColor);
    EXPECT_EQ(canvas.textColor(), clLime);
    EXPECT_EQ(calls, (std::vector<std::string> { "style 1", "style 2", "color" }));
}

TEST(StyleHoverTest, HoverColoursAndSensitivity)
{
    TDVStyle sheet;
    EXPECT_EQ(sheet.GetHoverColor(0), clNone);
    EXPECT_FALSE(sheet.StyleHoverSensitive(0));
    sheet.HoverColor = clRed;
    EXPECT_EQ(sheet.GetHoverColor(0), clRed);
    EXPECT_EQ(sheet.GetHoverColorByColor(clBlue), clBlue);
    EXPECT_EQ(sheet.GetHoverColorByColor(clNone), clRed);
    EXPECT_TRUE(sheet.StyleHoverSensitive(0));
    sheet.HoverColor = clNone;
    sheet.TextStyles[1].HoverBackColor = clYellow;
    EXPECT_TRUE(sheet.StyleHoverSensitive(1));
    sheet.OnStyleHoverSensitive = [](TDVStyle &, int, bool &sensitive) { sensitive = false; };
    EXPECT_FALSE(sheet.StyleHoverSensitive(1));
}

TEST(FontInfoTest, AssignToAndFromAFont)
{
    TFontInfo style;
    style.FontName = "Crystal";
    style.Size = 12;
    style.Style = FontStyle::Italic;
    style.Charset = 255;
    FontSpec font;
    style.AssignTo(font);
    EXPECT_EQ(font.face, "Crystal");
    EXPECT_EQ(font.points, 12);
    EXPECT_EQ(font.charset, 255);
    style.Unicode = true;
    font.charset = 0;
    style.AssignTo(font);
    EXPECT_EQ(font.charset, 0);
    TFontInfo other;
    other.Assign(font);
    EXPECT_EQ(other.FontName, "Crystal");
    EXPECT_EQ(other.Style, FontStyles(FontStyle::Italic));
}

// ---- drawing text ----

class DrawStyleTextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        sheet.TextStyles[0].FontName = "Courier New";
        sheet.ApplyStyle(canvas, 0, dvbdUnspecified);
        sheet.ApplyStyleColor(canvas, 0, {}, true, dvcmPrinterColor);
        ASSERT_EQ(canvas.textWidth("a"), 7);
    }
    TDVStyle sheet;
    TestCanvas canvas;
};

TEST_F(DrawStyleTextTest, PreviewCorrectionSpreadsTheDifferenceFromTheFirstCharacter)
{
    sheet.DrawStyleText("abc", canvas, 0, 1, 0, nullptr, 0, 10, 20, 26, 16, {}, true, true,
        dvcmPrinterColor, dvbdUnspecified);
    const auto calls = canvas.callsOf(DrawCall::Kind::TextWithAdvances);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].x, 10);
    EXPECT_EQ(calls[0].y, 20);
    EXPECT_EQ(calls[0].advances, (std::vector<int> { 8, 9, 9 })); // 21 + 5: 5/3, 4/2, 2/1
}

TEST_F(DrawStyleTextTest, PreviewCorrectionOfOneCharacterOrExactWidthDrawsPlainly)
{
    sheet.DrawStyleText("a", canvas, 0, 1, 0, nullptr, 0, 10, 20, 30, 16, {}, true, true,
        dvcmPrinterColor, dvbdUnspecified);
    sheet.DrawStyleText("abc", canvas, 0, 1, 0, nullptr, 0, 10, 20, 21, 16, {}, true, true,
        dvcmPrinterColor, dvbdUnspecified);
    EXPECT_TRUE(canvas.callsOf(DrawCall::Kind::TextWithAdvances).empty());
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Text).size(), 2u);
}

TEST_F(DrawStyleTextTest, PrintingTurnsTheCharacterExtraIntoAdvances)
{
    canvas.setCharacterExtra(2);
    sheet.DrawStyleText("abc", canvas, 0, 1, 0, nullptr, 0, 0, 0, 27, 16, {}, true, false,
        dvcmPrinterColor, dvbdUnspecified);
    const auto calls = canvas.callsOf(DrawCall::Kind::TextWithAdvances);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].advances, (std::vector<int> { 9, 9, 9 }));
    EXPECT_EQ(calls[0].characterExtra, 0);
    EXPECT_EQ(canvas.characterExtra(), 2);
}

TEST_F(DrawStyleTextTest, PrintingFillsAnOpaqueBackgroundFirst)
{
    sheet.TextStyles[0].BackColor = clYellow;
    sheet.ApplyStyleColor(canvas, 0, {}, true, dvcmColor);
    sheet.DrawStyleText("ab", canvas, 0, 1, 0, nullptr, 0, 3, 4, 14, 16, {}, true, false, dvcmColor,
        dvbdUnspecified);
    const auto fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, Rect::fromSize(3, 4, 14, 16));
    EXPECT_EQ(fills[0].brush.color, clYellow);
    const auto texts = canvas.callsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].brush.style, BrushStyle::Clear);
    EXPECT_EQ(canvas.brush().style, BrushStyle::Clear);
}

TEST_F(DrawStyleTextTest, AllCapsAndOverline)
{
    sheet.TextStyles[0].StyleEx = { dvfsAllCaps, dvfsOverline };
    sheet.DrawStyleText("abc", canvas, 0, 1, 0, nullptr, 0, 5, 6, 21, 16, {}, false, false,
        dvcmColor, dvbdUnspecified);
    const auto texts = canvas.callsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "ABC");
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 5);
    EXPECT_EQ(lines[0].y, 6);
    EXPECT_EQ(lines[0].x2, 26);
}

TEST_F(DrawStyleTextTest, UnderlineContinuesUnderTheGapBeforeTheText)
{
    sheet.TextStyles[0].Style = FontStyle::Underline;
    sheet.ApplyStyle(canvas, 0, dvbdUnspecified);
    sheet.DrawStyleText("ab", canvas, 0, 1, 0, nullptr, 4, 10, 20, 18, 16, {}, false, false,
        dvcmColor, dvbdUnspecified);
    const auto texts = canvas.callsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].x, 14);
    const TextMetrics m = canvas.textMetrics();
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 10);
    EXPECT_EQ(lines[0].x2, 15);
    EXPECT_EQ(lines[0].y, 20 + m.ascent + m.underlinePosition + m.underlineSize / 2);
}

TEST(PageBreakMarkTest, LineAndTriangleAcrossTheControl)
{
    TDVStyle sheet;
    TestCanvas canvas;
    sheet.DrawPageBreak(canvas, 30, 200, dvpbPageBreak, 10);
    const auto lines = canvas.callsOf(DrawCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, -10);
    EXPECT_EQ(lines[0].y, 30);
    EXPECT_EQ(lines[0].x2, 182);
    EXPECT_EQ(lines[0].pen.color, clBtnShadow);
    const auto polygons = canvas.callsOf(DrawCall::Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points, (std::vector<Point> { { 182, 30 }, { 190, 38 }, { 182, 38 } }));
    EXPECT_EQ(polygons[0].brush.color, clWindow);
    sheet.DrawPageBreak(canvas, 30, 200, dvpbSoftPageBreak, 0);
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Line).back().pen.color, clBtnFace);
}

TEST(ParagraphBackgroundTest, FillsOnePixelLargerUnlessBlackAndWhite)
{
    TDVBackgroundRect background;
    background.Color = clWindow;
    TestCanvas canvas;
    background.Draw({ 10, 10, 20, 20 }, canvas, true, dvcmPrinterColor);
    background.Draw({ 10, 10, 20, 20 }, canvas, true, dvcmBlackAndWhite);
    background.Draw({ 10, 10, 20, 20 }, canvas, true, dvcmBlackOnWhite);
    const auto fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect { 10, 10, 21, 21 }));
    EXPECT_EQ(fills[0].brush.color, clWhite);
    EXPECT_EQ(canvas.brush().style, BrushStyle::Clear);
}

} // namespace
