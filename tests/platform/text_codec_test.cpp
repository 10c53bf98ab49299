#include "color.h"
#include "locale_text.h"
#include "text_codec.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(TextCodecTest, EveryByteSurvivesTheRoundTrip)
{
    for (CharacterMap map : { CharacterMap::Windows1252, CharacterMap::Document }) {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += char(byte);
        EXPECT_EQ(utf8ToBytes(bytesToUtf8(all, map), '?', map), all);
    }
}

struct CodecRow
{
    const char *name;
    std::string bytes;
    CharacterMap map;
    std::string utf8;
};

class TextCodecRowTest : public testing::TestWithParam<CodecRow>
{ };

TEST_P(TextCodecRowTest, BytesShowAsTheirCharacters)
{
    const CodecRow &row = GetParam();
    EXPECT_EQ(bytesToUtf8(row.bytes, row.map), row.utf8);
}

INSTANTIATE_TEST_SUITE_P(Bytes, TextCodecRowTest,
    testing::Values(CodecRow { "Ascii", "NL-2023", CharacterMap::Windows1252, "NL-2023" },
        CodecRow { "Latin1Letters", "M\xFCller \xC4", CharacterMap::Windows1252,
            "M\xC3\xBCller \xC3\x84" },
        CodecRow { "EuroAndQuotes", "\x80\x93\x94", CharacterMap::Windows1252,
            "\xE2\x82\xAC\xE2\x80\x9C\xE2\x80\x9D" },
        CodecRow { "UnassignedKeepTheirNumber", "\x81", CharacterMap::Windows1252, "\xC2\x81" },
        CodecRow { "BoxBytesInDocuments", "\xC4\xB3\xDA\xC0\xC3\xC2", CharacterMap::Document,
            "\xE2\x94\x80\xE2\x94\x82\xE2\x94\x8C\xE2\x94\x94\xE2\x94\x9C\xE2\x94\xAC" },
        CodecRow { "OtherBytesInDocumentsStayWindows1252", "\xE9\xC5", CharacterMap::Document,
            "\xC3\xA9\xC3\x85" }),
    [](const testing::TestParamInfo<CodecRow> &info) { return std::string(info.param.name); });

TEST(TextCodecTest, CharactersWithoutAByteBecomeTheReplacement)
{
    EXPECT_EQ(utf8ToBytes("a\xE2\x94\x80z"), "a?z"); // box line, no document map
    EXPECT_EQ(utf8ToBytes("\xE4\xB8\xAD", '_'), "_"); // CJK
    EXPECT_EQ(utf8ToBytes("x\xFFy"), "x?y"); // invalid lead byte
    EXPECT_EQ(utf8ToBytes("x\xC3"), "x?"); // truncated sequence
    EXPECT_EQ(utf8ToBytes("\xC0\xAF"), "?"); // overlong '/'
}

struct CaseRow
{
    const char *name;
    std::string lower;
    std::string upper;
};

class LocaleCaseTest : public testing::TestWithParam<CaseRow>
{ };

TEST_P(LocaleCaseTest, UpperCasesAndLowerCasesWithinWindows1252)
{
    const CaseRow &row = GetParam();
    EXPECT_EQ(upperCase(row.lower), row.upper);
}

INSTANTIATE_TEST_SUITE_P(Letters, LocaleCaseTest,
    testing::Values(CaseRow { "Ascii", "nl-2023-abc", "NL-2023-ABC" },
        CaseRow { "AccentedLetters", "\xE9\xE8\xFC\xE5\xF1", "\xC9\xC8\xDC\xC5\xD1" },
        CaseRow { "HighRowLetters", "\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F" },
        CaseRow { "SharpSAndMicroStay", "\xDF\xB5", "\xDF\xB5" },
        CaseRow { "BoxBytesStay", "\xC4\xB3", "\xC4\xB3" }, CaseRow { "Empty", "", "" }),
    [](const testing::TestParamInfo<CaseRow> &info) { return std::string(info.param.name); });

TEST(LocaleCaseTest, LowerCaseUndoesUpperCaseForPlainLetters)
{
    EXPECT_EQ(lowerCase("NL-\xC9\xC8"), "nl-\xE9\xE8");
}

TEST(ShortMonthNameTest, NamesEveryMonthOfTheLocale)
{
    for (int month = 1; month <= 12; ++month)
        EXPECT_FALSE(shortMonthName(month).empty()) << month;
    EXPECT_NE(shortMonthName(1), shortMonthName(2));
    EXPECT_EQ(shortMonthName(0), "");
    EXPECT_EQ(shortMonthName(13), "");
}

TEST(ShortMonthNameTest, IsEnglishInTheCLocale)
{
    if (QLocale::system().language() != QLocale::C
        && QLocale::system().language() != QLocale::English)
        GTEST_SKIP() << "not an English locale";
    EXPECT_EQ(shortMonthName(1), "Jan");
    EXPECT_EQ(shortMonthName(12), "Dec");
}

struct ColorRow
{
    const char *name;
    const char *colorName;
    TColor expected;
};

class ColorByNameTest : public testing::TestWithParam<ColorRow>
{ };

TEST_P(ColorByNameTest, FindsToolkitColourNamesInAnyCase)
{
    TColor color = 12345;
    ASSERT_TRUE(colorByName(GetParam().colorName, &color));
    EXPECT_EQ(color, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, ColorByNameTest,
    testing::Values(ColorRow { "Red", "clred", clRed }, ColorRow { "Navy", "clNavy", clNavy },
        ColorRow { "Window", "CLWINDOW", clWindow },
        ColorRow { "DarkShadow", "cl3ddkshadow", cl3DDkShadow },
        ColorRow { "InfoBackground", "clinfobk", clInfoBk }),
    [](const testing::TestParamInfo<ColorRow> &info) { return std::string(info.param.name); });

TEST(ColorTest, UnknownNameLeavesTheColourAlone)
{
    TColor color = clLime;
    EXPECT_FALSE(colorByName("clmauve", &color));
    EXPECT_FALSE(colorByName("red", &color));
    EXPECT_EQ(color, clLime);
}

TEST(ColorTest, PlainColoursResolveToThemselvesAndSystemColoursToTheScheme)
{
    EXPECT_EQ(colorToRgb(clNavy), clNavy);
    EXPECT_EQ(colorToRgb(rgbColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(colorToRgb(clWindow), 0xFFFFFFu);
    EXPECT_EQ(colorToRgb(clWindowText), 0x000000u);
    EXPECT_TRUE(isSystemColor(clBtnFace));
    EXPECT_FALSE(isSystemColor(clNone));
    EXPECT_FALSE(isSystemColor(clWhite));
}

} // namespace
