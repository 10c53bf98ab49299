#include "fonts.h"
#include "mul_div.h"
#include "platform/virtual_printer.h"
#include "printer.h"
#include "screen.h"

#include "font_cache_p.h"
#include "measuring_canvas_p.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr double millimetresPerInch = 25.4;

double toMillimetres(int pixels, int pixelsPerInch)
{
    return pixels * millimetresPerInch / pixelsPerInch;
}

// A canvas that measures as a 600-dpi printer does.
std::unique_ptr<Canvas> printerCanvas()
{
    return createMeasuringCanvas(600, 600);
}

struct FaceRow
{
    const char *name;
    const char *face;
    const char *family;
    bool fixedPitch;
};

class FaceMappingTest : public testing::TestWithParam<FaceRow>
{ };

TEST_P(FaceMappingTest, FaceIsRealisedByAnInstalledFamily)
{
    const FaceRow &row = GetParam();
    const FaceMapping mapping = faceMapping(row.face);
    EXPECT_EQ(mapping.family, row.family);
    EXPECT_EQ(mapping.fixedPitch, row.fixedPitch);
    EXPECT_EQ(resolvedFamily(row.face), row.family) << "font missing: the fallback is used";
}

INSTANTIATE_TEST_SUITE_P(Faces, FaceMappingTest,
    testing::Values(FaceRow { "Crystal", "Crystal", "DejaVu Sans Mono", true },
        FaceRow { "CourierNew", "Courier New", "DejaVu Sans Mono", true },
        FaceRow { "TimesNewRoman", "Times New Roman", "DejaVu Serif Condensed", false },
        FaceRow { "Arial", "Arial", "DejaVu Sans", false },
        FaceRow { "MsSansSerif", "MS Sans Serif", "DejaVu Sans", false },
        FaceRow { "LowerCaseName", "crystal", "DejaVu Sans Mono", true },
        FaceRow { "UnknownFace", "Wingdings", "DejaVu Sans", false }),
    [](const testing::TestParamInfo<FaceRow> &info) { return std::string(info.param.name); });

TEST(CrystalTest, ReportLineFitsTheTextBlockWidthAt9PointsOn600Dpi)
{
    auto canvas = printerCanvas();
    canvas->setFont({ "Crystal", 9 });
    const int width = canvas->textWidth(std::string(118, 'W'));
    EXPECT_LE(toMillimetres(width, 600), 182.0);
}

TEST(CrystalTest, LinePitchWithoutLeadingIsAtMost297HundredthsMillimetre)
{
    auto canvas = printerCanvas();
    canvas->setFont({ "Crystal", 9 });
    const TextMetrics metrics = canvas->textMetrics();
    EXPECT_EQ(metrics.height, metrics.ascent + metrics.descent);
    EXPECT_LE(toMillimetres(metrics.height, 600), 2.97);
    // 80 lines must fit the 238 mm text block.
    EXPECT_LE(80 * metrics.height, MulDiv(238, 5 * 600, 127));
}

TEST(CrystalTest, HoldsTheSixBoxLinesInItsOwnFont)
{
    for (char32_t line : { U'\u2500', U'\u2502', U'\u250C', U'\u2514', U'\u251C', U'\u252C' })
        EXPECT_TRUE(faceHasCharacter("Crystal", line)) << std::hex << unsigned(line);
}

TEST(CrystalTest, IsFixedPitchForLettersDigitsAndBoxBytes)
{
    auto canvas = printerCanvas();
    canvas->setFont({ "Crystal", 9 });
    canvas->setCharacterMap(CharacterMap::Document);
    const int width = canvas->textWidth("0123456789");
    EXPECT_EQ(canvas->textWidth("ABCDEFGHIJ"), width);
    EXPECT_EQ(canvas->textWidth("\xC4\xB3\xDA\xC0\xC3\xC2\xC4\xC4\xC4\xC4"), width);
    EXPECT_EQ(canvas->textWidth("iiiiiiiiii"), width);
}

TEST(CrystalTest, IsDrawnAt80PercentOfItsNominalPixelSize)
{
    EXPECT_EQ(fontPixelSize({ "Crystal", 9 }, 600), 60);
    EXPECT_EQ(fontPixelSize({ "Crystal", 12 }, 600), 80);
    EXPECT_EQ(fontPixelSize({ "Courier New", 9 }, 600), 75);
    FontSpec sixteenPixels { "Crystal", 9 };
    sixteenPixels.pixelHeight = 16;
    EXPECT_EQ(fontPixelSize(sixteenPixels, 600), 13);
}

struct ExtentRow
{
    const char *name;
    FontSpec font;
};

class TextExtentTest : public testing::TestWithParam<ExtentRow>
{ };

TEST_P(TextExtentTest, WidthGrowsWithTheCharacterCount)
{
    auto canvas = printerCanvas();
    canvas->setFont(GetParam().font);
    const std::string text = "Pedigree of bird NL-2023-1234567 (sire & dam) 0.125";
    int previous = 0;
    for (std::size_t n = 1; n <= text.size(); ++n) {
        const int width = canvas->textWidth(text.substr(0, n));
        EXPECT_GT(width, previous) << n;
        previous = width;
    }
}

TEST_P(TextExtentTest, MeasuresTheSameOnEveryCall)
{
    auto first = printerCanvas();
    auto second = printerCanvas();
    first->setFont(GetParam().font);
    second->setFont(GetParam().font);
    const std::string text = "IDENTIFICATION SIRE DAM";
    EXPECT_EQ(first->textWidth(text), second->textWidth(text));
    EXPECT_EQ(first->textWidth(text), first->textWidth(text));
    EXPECT_EQ(first->textMetrics().height, second->textMetrics().height);
}

TEST_P(TextExtentTest, PartialWidthsAndFitCountAgreeWithTextWidth)
{
    auto canvas = printerCanvas();
    canvas->setFont(GetParam().font);
    const std::string text = "Band 2023-NL-0001, sire 2019-BE-4432";
    const std::vector<int> partial = canvas->partialWidths(text);
    ASSERT_EQ(partial.size(), text.size());
    for (std::size_t n = 1; n <= text.size(); ++n) {
        EXPECT_EQ(partial[n - 1], canvas->textWidth(text.substr(0, n)));
        EXPECT_EQ(canvas->fitCount(text, partial[n - 1]), int(n));
        EXPECT_EQ(canvas->fitCount(text, partial[n - 1] - 1), int(n) - 1);
    }
}

TEST_P(TextExtentTest, CharacterExtraIsAddedOncePerCharacter)
{
    auto canvas = printerCanvas();
    canvas->setFont(GetParam().font);
    const int plain = canvas->textWidth("ABCDE");
    canvas->setCharacterExtra(3);
    EXPECT_EQ(canvas->textWidth("ABCDE"), plain + 15);
    EXPECT_EQ(canvas->partialWidths("ABCDE").back(), plain + 15);
}

FontSpec boldFont(const char *face, int points)
{
    FontSpec font { face, points };
    font.style = FontStyle::Bold;
    return font;
}

// Drawing lays a text out as a whole (shaping); it must come out as wide as the sum of the
// character widths that measurement uses, so no ligatures and no kerning.
TEST_P(TextExtentTest, DrawnLayoutIsAsWideAsTheSumOfTheCharacters)
{
    const auto font = realiseFont(GetParam().font, 600, CharacterMap::Windows1252);
    const QFontMetricsF metrics(font->font);
    for (const char *text : { "office affluent", "fi fl ffi ffl", "AVA Ta To Wa We Yo", "LT 7,1." })
        EXPECT_DOUBLE_EQ(
            metrics.horizontalAdvance(QString::fromLatin1(text)), font->exactWidth(text))
            << text;
}

INSTANTIATE_TEST_SUITE_P(Fonts, TextExtentTest,
    testing::Values(ExtentRow { "Crystal9", { "Crystal", 9 } },
        ExtentRow { "CrystalBold12", boldFont("Crystal", 12) },
        ExtentRow { "Arial10", { "Arial", 10 } },
        ExtentRow { "TimesBold11", boldFont("Times New Roman", 11) },
        ExtentRow { "CourierNew8", { "Courier New", 8 } }),
    [](const testing::TestParamInfo<ExtentRow> &info) { return std::string(info.param.name); });

TEST(FontResolutionTest, PointsBecomePixelsThroughTheFontResolution)
{
    auto canvas = createMeasuringCanvas(96, 96);
    canvas->setFont({ "Courier New", 9 });
    const int screenWidth = canvas->textWidth("ABCDEFGHIJ");
    canvas->setFontResolution(600);
    const int printerWidth = canvas->textWidth("ABCDEFGHIJ");
    EXPECT_NEAR(double(printerWidth) / screenWidth, 600.0 / 96.0, 0.35);
    EXPECT_EQ(canvas->fontResolution(), 600);
}

} // namespace
