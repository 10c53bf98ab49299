#include "panel/html_tags.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct AttributeRow
{
    const char *name;
    std::string tag;
    std::string attribute;
    std::string value;
};

class HtmlAttributeTest : public testing::TestWithParam<AttributeRow>
{ };

TEST_P(HtmlAttributeTest, ReadsTheQuotedValueInCapitals)
{
    const AttributeRow &row = GetParam();
    EXPECT_EQ(HtmlAttribute(row.tag, row.attribute), row.value);
}

INSTANTIATE_TEST_SUITE_P(Tags, HtmlAttributeTest,
    testing::Values(AttributeRow { "Quoted", "<P align=\"center\">", "ALIGN", "CENTER" },
        AttributeRow { "AnyCaseAndSpacesAroundTheEquals", "<font FaCe = \"Times New Roman\">",
            "face", "TIMES NEW ROMAN" },
        AttributeRow { "AnywhereInTheTag", "<FONT  size=\"11\" face=\"Arial\">", "FACE", "ARIAL" },
        AttributeRow { "ColourIsNotFoundInsideBgcolor", "<FONT bgcolor=\"clRed\">", "COLOR", "" },
        AttributeRow {
            "ColourAfterBgcolor", "<FONT bgcolor=\"clRed\" color=\"clBlue\">", "COLOR", "CLBLUE" },
        AttributeRow {
            "BgcolorIsNotFoundInsideBgcolorto", "<P bgcolorto=\"clRed\">", "BGCOLOR", "" },
        AttributeRow { "UnquotedIsEmpty", "<FONT face=Arial size=\"2\">", "FACE", "" },
        AttributeRow { "UnclosedQuoteIsEmpty", "<FONT face=\"Arial>", "FACE", "" },
        AttributeRow { "MissingIsEmpty", "<P>", "ALIGN", "" }),
    [](const testing::TestParamInfo<AttributeRow> &info) { return std::string(info.param.name); });

TEST(HtmlTagNameTest, LettersAfterTheBracketInCapitals)
{
    EXPECT_EQ(HtmlTagName("<font size=\"2\">"), "FONT");
    EXPECT_EQ(HtmlTagName("</p>"), "/P");
    EXPECT_EQ(HtmlTagName("<BR/>"), "BR");
    EXPECT_EQ(HtmlTagName("<#12>"), "");
}

struct ColorRow
{
    const char *name;
    std::string value;
    TColor color;
};

class HtmlColorValueTest : public testing::TestWithParam<ColorRow>
{ };

TEST_P(HtmlColorValueTest, ReadsHexAndToolkitNamesElseBlack)
{
    EXPECT_EQ(HtmlColorValue(GetParam().value), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(Values, HtmlColorValueTest,
    testing::Values(ColorRow { "HexRedFirst", "#FF8000", rgbColor(0xFF, 0x80, 0x00) },
        ColorRow { "LowerCaseHex", "#0a0b0c", rgbColor(0x0A, 0x0B, 0x0C) },
        ColorRow { "ShortHexIsBlack", "#FF80", clBlack },
        ColorRow { "BadHexDigitIsBlack", "#GG0000", clBlack },
        ColorRow { "UpperCasedName", "CLNAVY", clNavy },
        ColorRow { "SystemColourName", "clBtnFace", clBtnFace },
        ColorRow { "NoColourIsBlack", "CLNONE", clBlack },
        ColorRow { "NameWithoutPrefixIsBlack", "NAVY", clBlack },
        ColorRow { "EmptyIsBlack", "", clBlack }),
    [](const testing::TestParamInfo<ColorRow> &info) { return std::string(info.param.name); });

TEST(HtmlFontSizeTest, OneToFiveAreNamedSizesOtherNumbersArePoints)
{
    const std::pair<const char *, int> rows[]
        = { { "1", 8 }, { "2", 10 }, { "3", 12 }, { "4", 14 }, { "5", 16 }, { "+2", 10 },
              { "6", 6 }, { "11", 11 }, { "0", 0 }, { "-1", -1 }, { "", 0 }, { "12PT", 0 } };
    for (const auto &[value, points] : rows)
        EXPECT_EQ(HtmlFontSize(value), points) << value;
}

} // namespace
