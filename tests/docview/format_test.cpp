#include "docview_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Character cell of the fixed-pitch test face (see makeFixedPitchSheet).
constexpr int charWidth = 7;
constexpr int ascent = 13;
constexpr int descent = 3;
constexpr int leading = 1;
constexpr int textHeight = ascent + descent;
constexpr int lineHeight = ascent + leading + descent;

struct Piece
{
    int itemNo;
    int offs;
    int length;
    int left;
    int top;
    int width;
    bool fromNewLine;
    friend bool operator==(const Piece &, const Piece &) = default;
};

void PrintTo(const Piece &p, std::ostream *os)
{
    *os << "{item " << p.itemNo << " offs " << p.offs << " len " << p.length << " at " << p.left
        << "," << p.top << " w " << p.width << (p.fromNewLine ? " new" : "") << "}";
}

std::vector<Piece> pieces(const TCustomDVFormattedData &data)
{
    std::vector<Piece> result;
    for (int i = 0; i < data.DrawItems.Count(); ++i) {
        const TDVDrawLineInfo &d = data.DrawItems[i];
        result.push_back({ d.ItemNo, d.Offs, d.Length, d.Left, d.Top, d.Width, d.StartsLine() });
    }
    return result;
}

class FormatTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Premise: the test face has the cell the expectations are computed from.
        TestCanvas canvas(96, 96);
        sheet->ApplyStyle(canvas, 0, dvbdUnspecified);
        const TextMetrics metrics = canvas.textMetrics();
        ASSERT_EQ(canvas.textWidth("abc"), 3 * charWidth);
        ASSERT_EQ(metrics.ascent, ascent);
        ASSERT_EQ(metrics.descent, descent);
        ASSERT_EQ(metrics.externalLeading, leading);
    }

    std::unique_ptr<TDVStyle> sheet = makeFixedPitchSheet();
    FixedData data { sheet.get() };
};

TEST_F(FormatTest, EmptyDocumentHasOnlyItsMargins)
{
    data.topMargin = 5;
    data.bottomMargin = 7;
    data.format();
    EXPECT_EQ(data.DrawItems.Count(), 0);
    EXPECT_EQ(data.DocumentHeight, 12);
}

TEST_F(FormatTest, OneLineSitsAtTheMargins)
{
    data.leftMargin = 5;
    data.topMargin = 4;
    data.bottomMargin = 6;
    data.AddNL("abc", 0, 0);
    data.format();
    EXPECT_EQ(pieces(data), (std::vector<Piece> { { 0, 1, 3, 5, 4, 21, true } }));
    EXPECT_EQ(data.DrawItems[0].Height, textHeight);
    EXPECT_EQ(data.DocumentHeight, 4 + lineHeight + 6);
    EXPECT_EQ(data.TextWidth, 400 - 5);
}

TEST_F(FormatTest, AFittingLineIsMeasuredOnce)
{
    data.AddNL("a line that fits", 0, 0);
    const int before = data.canvas.measureCount();
    data.format();
    EXPECT_EQ(data.canvas.measureCount() - before, 1);
}

TEST_F(FormatTest, LongWordIsCutAndContinuesWithoutParagraphSpacing)
{
    data.width = 10 * charWidth;
    TParaInfo &para = sheet->ParaStyles[0];
    para.FirstIndent = 14;
    para.SpaceBefore = 4;
    data.AddNL("abcdefghijklmnopqrstuvw", 0, 0);
    data.format();
    // The first line is 14 pixels narrower: 8 characters; the rest is not a new paragraph.
    EXPECT_EQ(pieces(data),
        (std::vector<Piece> {
            { 0, 1, 8, 14, 4, 56, true },
            { 0, 9, 10, 0, 4 + lineHeight, 70, true },
            { 0, 19, 5, 0, 4 + 2 * lineHeight, 35, true },
        }));
}

TEST_F(FormatTest, WordMovesDownWhenItDoesNotFit)
{
    data.width = 10 * charWidth;
    data.AddNL("abc defghij", 0, 0);
    data.format();
    EXPECT_EQ(pieces(data),
        (std::vector<Piece> {
            { 0, 1, 3, 0, 0, 21, true },
            { 0, 5, 7, 0, lineHeight, 49, true },
        }));
}

struct TrimRow
{
    const char *name;
    const char *text;
    bool trim;
    std::vector<Piece> expected;
};

class TrimTest : public FormatTest, public testing::WithParamInterface<TrimRow>
{ };

TEST_P(TrimTest, SpaceAtTheWrap)
{
    data.width = 7 * charWidth;
    data.flags.set(dvflTrim, GetParam().trim);
    data.AddNL(GetParam().text, 0, 0);
    data.format();
    EXPECT_EQ(pieces(data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrimTest,
    testing::Values(
        // The space at a wrap belongs to neither line, with or without trimming.
        TrimRow { "SpaceInsideTheRoomTrimmed", "aaaa bbbbbb", true,
            { { 0, 1, 4, 0, 0, 28, true }, { 0, 6, 6, 0, lineHeight, 42, true } } },
        TrimRow { "SpaceInsideTheRoomUntrimmed", "aaaa bbbbbb", false,
            { { 0, 1, 4, 0, 0, 28, true }, { 0, 6, 6, 0, lineHeight, 42, true } } },
        // A word that fills the room exactly breaks at the following space only when trimming.
        TrimRow { "SpaceRightAfterTheRoomTrimmed", "aaaaaaa bb", true,
            { { 0, 1, 7, 0, 0, 49, true }, { 0, 9, 2, 0, lineHeight, 14, true } } },
        TrimRow { "SpaceRightAfterTheRoomUntrimmed", "aaaaaaa bb", false,
            { { 0, 1, 7, 0, 0, 49, true }, { 0, 8, 3, 0, lineHeight, 21, true } } }),
    [](const testing::TestParamInfo<TrimRow> &info) { return info.param.name; });

struct AlignRow
{
    const char *name;
    TDVAlignment alignment;
    int expectedLeft;
};

class OverwideLineTest : public FormatTest, public testing::WithParamInterface<AlignRow>
{ };

TEST_P(OverwideLineTest, LineWiderThanItsArea)
{
    // The indent leaves a line area of -10 pixels; the line still gets one character.
    data.width = 20;
    data.options.insert(dvoClientTextWidth);
    sheet->ParaStyles[0].LeftIndent = 30;
    sheet->ParaStyles[0].Alignment = GetParam().alignment;
    data.AddNL("ab", 0, 0);
    data.format();
    ASSERT_EQ(data.DrawItems.Count(), 2);
    EXPECT_EQ(data.DrawItems[0].Length, 1);
    EXPECT_EQ(data.DrawItems[0].Left, GetParam().expectedLeft);
}

INSTANTIATE_TEST_SUITE_P(Rows, OverwideLineTest,
    testing::Values(AlignRow { "LeftStays", dvaLeft, 30 },
        AlignRow { "CenterNeverShiftsLeft", dvaCenter, 30 },
        AlignRow { "RightMovesLeft", dvaRight, 30 - 17 }),
    [](const testing::TestParamInfo<AlignRow> &info) { return info.param.name; });

TEST_F(FormatTest, CentredAndRightAlignedLines)
{
    data.width = 100;
    sheet->ParaStyles[0].Alignment = dvaRight;
    data.AddNL("abc", 0, 1); // centred: (100 - 21) / 2 = 39
    data.AddNL("abc", 0, 0); // right: 100 - 21
    data.format();
    EXPECT_EQ(data.DrawItems[0].Left, 39);
    EXPECT_EQ(data.DrawItems[1].Left, 79);
}

TEST_F(FormatTest, TwoSizesShareABaseline)
{
    data.AddNL("ab", 0, 0);
    data.AddNL("cd", 1, -1);
    data.format();
    ASSERT_EQ(data.DrawItems.Count(), 2);
    const TDVDrawLineInfo &small = data.DrawItems[0];
    const TDVDrawLineInfo &large = data.DrawItems[1];
    EXPECT_FALSE(large.StartsLine());
    EXPECT_EQ(large.Left, 14);
    // Ascents with leading: 14 and 18; the small piece moves down by 4.
    EXPECT_EQ(small.Top, 4);
    EXPECT_EQ(large.Top, 0);
    EXPECT_EQ(small.Top + ascent + leading, large.Top + 16 + 2);
    EXPECT_EQ(data.DocumentHeight, 18 + 4);
}

TEST_F(FormatTest, EmptyAndSingleSpaceItemsFormFullLines)
{
    data.AddNL("", 0, 0);
    data.AddNL(" ", 0, 0);
    data.format();
    EXPECT_EQ(pieces(data),
        (std::vector<Piece> {
            { 0, 1, 0, 0, 0, 0, true },
            { 1, 1, 1, 0, lineHeight, charWidth, true },
        }));
    EXPECT_EQ(data.DrawItems[0].Height, textHeight);
    EXPECT_EQ(data.DocumentHeight, 2 * lineHeight);
}

struct BreakRow
{
    const char *name;
    int devicePpi;
    int expectedHeight;
};

class BreakTest : public testing::TestWithParam<BreakRow>
{ };

TEST_P(BreakTest, BreakHeightAndPlace)
{
    auto sheet = makeFixedPitchSheet();
    FixedData data(sheet.get(), GetParam().devicePpi);
    data.width = 1000;
    data.leftMargin = 5;
    data.AddNL("ab", 0, 0);
    data.AddBreakExTag(1, dvbsLine, clNone, 0);
    data.AddNL("cd", 0, -1);
    data.format();
    ASSERT_EQ(data.DrawItems.Count(), 3);
    const TDVDrawLineInfo &text = data.DrawItems[0];
    const TDVDrawLineInfo &rule = data.DrawItems[1];
    const int margin = DV_XToDevice(5, data.FormattingSaD());
    EXPECT_EQ(rule.Left, margin);
    EXPECT_EQ(rule.Width, data.TextWidth);
    EXPECT_EQ(rule.Height, GetParam().expectedHeight);
    const TextMetrics m
        = TestCanvas::metricsFor(fontOf("Courier New", 10), GetParam().devicePpi).metrics;
    EXPECT_EQ(text.Top, 0);
    EXPECT_EQ(rule.Top, m.ascent + m.externalLeading + m.descent);
    // The next paragraph (ParaNo 0 after a break) starts at the rule's bottom.
    EXPECT_EQ(data.DrawItems[2].Top, rule.Top + rule.Height);
    EXPECT_TRUE(data.DrawItems[2].StartsLine());
}

INSTANTIATE_TEST_SUITE_P(Rows, BreakTest,
    testing::Values(BreakRow { "Screen", 96, 11 }, BreakRow { "Printer600", 600, 63 }),
    [](const testing::TestParamInfo<BreakRow> &info) { return info.param.name; });

TEST_F(FormatTest, WidthBelowTheMarginsStillGivesACharacterPerLine)
{
    data.width = 4;
    data.leftMargin = 5;
    data.rightMargin = 5;
    data.AddNL("abcd", 0, 0);
    data.format();
    EXPECT_EQ(data.DocumentWidth, 20);
    EXPECT_EQ(data.DrawItems.Count(), 2); // 20 pixels hold two 7-pixel characters
    for (int i = 0; i < data.DrawItems.Count(); ++i)
        EXPECT_GE(data.DrawItems[i].Length, 1);
}

TEST_F(FormatTest, MinimumWidthCountsIndentsAndNoWrapParagraphs)
{
    data.width = 10;
    sheet->ParaStyles[0].LeftIndent = 3;
    sheet->ParaStyles[0].RightIndent = 4;
    sheet->ParaStyles[0].FirstIndent = 5;
    sheet->ParaStyles[1].Options.insert(dvpaoNoWrap);
    data.AddNL("a long paragraph that wraps", 0, 0);
    data.format();
    EXPECT_EQ(data.DocumentWidth, 3 + 4 + 5 + 20);
    data.AddNL("nowrap", 0, 1);
    data.format();
    EXPECT_EQ(data.DocumentWidth, 6 * charWidth);
}

TEST_F(FormatTest, LineSpacingAddsExtraBelowTheLine)
{
    sheet->ParaStyles[0].LineSpacing = 150;
    data.AddNL("a", 0, 0);
    data.AddNL("b", 0, 0);
    data.format();
    // extra = text height (16) x 50 %.
    EXPECT_EQ(data.DrawItems[0].ExtraSpaceBelow, 8);
    EXPECT_EQ(data.DrawItems[1].Top, lineHeight + 8);
    EXPECT_EQ(data.DocumentHeight, 2 * lineHeight + 2 * 8);
}

TEST_F(FormatTest, ParagraphSpacingIsScaledToTheDevice)
{
    FixedData printer(sheet.get(), 600);
    sheet->ParaStyles[0].SpaceBefore = 3; // 19 device pixels (18.75)
    sheet->ParaStyles[0].SpaceAfter = 5; // 31 (31.25)
    printer.AddNL("a", 0, 0);
    printer.AddNL("b", 0, 0);
    printer.format();
    const TestFontMetrics m = TestCanvas::metricsFor(fontOf("Courier New", 10), 600);
    const int line = m.metrics.ascent + m.metrics.externalLeading + m.metrics.descent;
    EXPECT_EQ(printer.DrawItems[0].Top, 19);
    EXPECT_EQ(printer.DrawItems[1].Top, 19 + line + 31 + 19);
    EXPECT_EQ(printer.DocumentHeight, 19 + line + 31 + 19 + line + 31);
}

TEST_F(FormatTest, ExternalLeadingOnlyWithItsFlag)
{
    data.flags.erase(dvflUseExternalLeading);
    data.AddNL("a", 0, 0);
    data.AddNL("b", 0, 0);
    data.format();
    EXPECT_EQ(data.DrawItems[1].Top, textHeight);
}

TEST_F(FormatTest, ItemsAndDrawItemsConvert)
{
    data.width = 10 * charWidth;
    data.AddNL("first", 0, 0);
    data.AddNL("abcdefghijklmnop", 0, 0);
    data.format();
    EXPECT_EQ(data.Item2FirstDrawItem(1), 1);
    EXPECT_EQ(data.Items().ItemAt(1).DrawItemNo, 1);
    EXPECT_EQ(data.Item2FirstDrawItem(2), -1);
    int drawItemNo = 0;
    int offs = 0;
    ASSERT_TRUE(data.Item2DrawItem(1, 13, drawItemNo, offs));
    EXPECT_EQ(drawItemNo, 2);
    EXPECT_EQ(offs, 3);
    int itemNo = 0;
    data.DrawItem2Item(2, 3, itemNo, offs);
    EXPECT_EQ(itemNo, 1);
    EXPECT_EQ(offs, 13);
}

TEST_F(FormatTest, SharedItemsFormatIndependentlyAndKeepDrawItemNo)
{
    data.AddNL("abcdefghij", 0, 0);
    data.format();
    FixedData copy(sheet.get(), 600);
    copy.ShareItemsFrom(data);
    copy.width = 4 * 44; // four 44-pixel characters of the 600-ppi face
    copy.format();
    EXPECT_GT(copy.DrawItems.Count(), 1);
    EXPECT_EQ(data.DrawItems.Count(), 1);
    EXPECT_EQ(data.Items().ItemAt(0).DrawItemNo, 0);
    copy.Clear();
    EXPECT_EQ(data.ItemCount(), 1);
}

// The area grows a scroll bar once the document is taller than the area; formatting runs once
// more for the narrower area.
class ScrollBarData : public FixedData
{
public:
    using FixedData::FixedData;
    void SetDocumentAreaSize(int, int documentHeight, bool) override
    {
        ++areaSizeCalls;
        width = documentHeight > height ? 85 : 100;
    }
};

TEST_F(FormatTest, AreaSizeChangeFormatsOnceMore)
{
    ScrollBarData area(sheet.get());
    area.width = 100;
    area.height = 20;
    area.AddNL("aaaaaaaaaaaaaa", 0, 0); // 98 pixels: one line at 100, two at 85
    area.AddNL("b", 0, 0);
    area.format();
    EXPECT_EQ(area.areaSizeCalls, 2);
    EXPECT_EQ(area.TextWidth, 85);
    EXPECT_EQ(area.DrawItems.Count(), 3);
}

TEST_F(FormatTest, FormatWhileFormattingIsIgnored)
{
    data.AddNL("a", 0, 0);
    data.State.insert(dvstSkipFormatting);
    data.format();
    EXPECT_EQ(data.DrawItems.Count(), 0);
    data.State.erase(dvstSkipFormatting);
    data.format();
    EXPECT_EQ(data.DrawItems.Count(), 1);
    EXPECT_FALSE(data.State.contains(dvstSkipFormatting));
}

TEST_F(FormatTest, NoStyleSheetFormatsNothing)
{
    FixedData bare(nullptr);
    bare.AddNL("a", 0, 0);
    bare.format();
    EXPECT_EQ(bare.DrawItems.Count(), 0);
}

TEST_F(FormatTest, BadStyleNumbersUseTheSubstitutes)
{
    data.AddNL("abc", 42, 17);
    data.format();
    ASSERT_EQ(data.DrawItems.Count(), 1);
    // The substitute paragraph has 1-pixel indents and spacing.
    EXPECT_EQ(data.DrawItems[0].Left, 1);
    EXPECT_EQ(data.DrawItems[0].Top, 1);
}

// The interpolation search must find the same count as a plain fit query for widths that grow
// with the number of characters.
TEST(FittingTest, InterpolationAgreesWithTheCanvasFitCount)
{
    TDVStyle sheet; // Arial: proportional widths on the test canvas
    std::mt19937 random(12345);
    const std::string alphabet = "aimW .,lIMwxyz";
    for (int trial = 0; trial < 200; ++trial) {
        std::string text;
        const int length = 1 + int(random() % 60);
        for (int i = 0; i < length; ++i)
            text.push_back(alphabet[random() % alphabet.size()]);
        const int width = 20 + int(random() % 300);
        FixedData fast(&sheet);
        FixedData safe(&sheet);
        fast.width = safe.width = width;
        fast.AddNL(text, 0, 0);
        safe.AddNL(text, 0, 0);
        fast.format();
        DocViewSafeFormatting = true;
        safe.format();
        DocViewSafeFormatting = false;
        ASSERT_EQ(pieces(fast), pieces(safe)) << "text '" << text << "' width " << width;
    }
}

} // namespace

namespace {

// Random documents of mixed styles, continued lines, empty items and rules: formatting keeps
// its invariants, every line fits unless it holds a single character, and only spaces are ever
// left out of the pieces.
TEST(FormatPropertyTest, RandomDocumentsLoseOnlySpaces)
{
    auto sheet = makeFixedPitchSheet();
    sheet->ParaStyles[1].Alignment = dvaCenter;
    std::mt19937 random(777);
    const std::string alphabet = "abcdefgh  ";
    for (int trial = 0; trial < 100; ++trial) {
        FixedData data(sheet.get());
        data.width = 30 + int(random() % 200);
        data.flags.set(dvflTrim, random() % 2 == 0);
        const int items = 1 + int(random() % 12);
        for (int i = 0; i < items; ++i) {
            if (random() % 10 == 0) {
                data.AddBreakExTag(1, dvbsLine, clNone, 0);
                continue;
            }
            std::string text;
            const int length = int(random() % 40);
            for (int c = 0; c < length; ++c)
                text.push_back(alphabet[random() % alphabet.size()]);
            data.AddNL(text, int(random() % 2), int(random() % 3) - 1);
        }
        data.format();
        for (int item = 0; item < data.ItemCount(); ++item) {
            if (data.Items().ItemAt(item).StyleNo < 0)
                continue;
            const std::string &text = data.Items().TextAt(item);
            std::vector<bool> covered(text.size(), false);
            for (int d = 0; d < data.DrawItems.Count(); ++d) {
                const TDVDrawLineInfo &piece = data.DrawItems[d];
                if (piece.ItemNo != item)
                    continue;
                for (int c = 0; c < piece.Length; ++c)
                    covered[std::size_t(piece.Offs - 1 + c)] = true;
            }
            for (std::size_t c = 0; c < text.size(); ++c) {
                ASSERT_TRUE(covered[c] || text[c] == ' ')
                    << "trial " << trial << " item " << item << " character " << c;
            }
        }
        for (int d = 0; d < data.DrawItems.Count(); ++d) {
            const TDVDrawLineInfo &piece = data.DrawItems[d];
            if (piece.Length > 1 && piece.StartsLine()
                && (d + 1 == data.DrawItems.Count() || data.DrawItems[d + 1].StartsLine())) {
                EXPECT_LE(piece.Width, data.TextWidth) << "trial " << trial << " piece " << d;
            }
        }
    }
}

} // namespace
