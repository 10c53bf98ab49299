#include "panel/html_text.h"

#include "platform/test_canvas.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

// The base font of these tests on the deterministic canvas at 96 pixels per inch: em 20, text
// height 25; a space, "i" and "l" are 5 wide, "m" and "w" 20, other letters 10 (bold: + 1).
FontSpec baseFont()
{
    FontSpec font("Arial", 15);
    font.pixelHeight = 20;
    return font;
}

class HtmlTextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        canvas.setFont(baseFont());
        canvas.setTextColor(clWindowText);
        ASSERT_EQ(canvas.textMetrics().height, 25);
        ASSERT_EQ(canvas.textWidth("ab "), 25);
        ASSERT_EQ(canvas.textWidth("m"), 20);
    }

    // A rectangle whose working area (one pixel in from the left) is `width` wide.
    static Rect area(int width, int height = 200) { return { 0, 0, width + 1, height }; }

    // The words drawn, in order: plain words that fit go to textOut, the others to drawText.
    std::vector<DrawCall> textCalls() const
    {
        std::vector<DrawCall> words;
        for (const DrawCall &call : canvas.calls())
            if (call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::DrawText)
                words.push_back(call);
        return words;
    }

    // Every word drawn, as "text@left,bottom" of its text.
    std::vector<std::string> drawnWords() const
    {
        std::vector<std::string> words;
        for (const DrawCall &call : textCalls()) {
            const bool text = call.kind == DrawCall::Kind::Text;
            const int left = text ? call.x : call.rect.left;
            const int bottom = text ? call.y + call.metrics.height : call.rect.bottom;
            words.push_back(call.text + "@" + std::to_string(left) + "," + std::to_string(bottom));
        }
        return words;
    }

    TestCanvas canvas;
};

struct LayoutRow
{
    const char *name;
    std::string html;
    int width; // of the working area
    int height;
    std::vector<std::string> words;
    int usedHeight;
};

void PrintTo(const LayoutRow &row, std::ostream *out)
{
    *out << row.name;
}

class HtmlTextLayoutTest : public HtmlTextTest, public testing::WithParamInterface<LayoutRow>
{ };

TEST_P(HtmlTextLayoutTest, DrawsEveryWordWhereTheRulesPutIt)
{
    const LayoutRow &row = GetParam();
    const int used = DrawHtmlText(canvas, row.html, area(row.width, row.height), 0, false);
    EXPECT_EQ(drawnWords(), row.words);
    EXPECT_EQ(used, row.usedHeight);
}

INSTANTIATE_TEST_SUITE_P(Lines, HtmlTextLayoutTest,
    testing::Values(
        LayoutRow { "EmptyFirstLineIsAsHighAsGhInTheBaseFont",
            "<P align=\"center\"><FONT size=\"30\"><BR>ab", 100, 200, { "ab@31,75" }, 75 },
        LayoutRow { "FirstCloseFontReturnsFaceAndSizeToTheBase",
            "<FONT size=\"1\"><FONT face=\"Courier New\">ab </FONT>cd </FONT>ef", 100, 200,
            { "ab @1,25", "cd @19,25", "ef@44,25" }, 25 },
        LayoutRow { "WordWiderThanTheAreaStaysAfterOtherWords", "ab mmmmmm cd", 100, 200,
            { "ab @1,25", "mmmmmm @26,25", "cd@1,50" }, 50 },
        LayoutRow { "WordTouchingATagIsNeverMovedAway", "ab cdef<B>ghij</B>kl mn", 60, 200,
            { "ab @1,25", "cdef@1,50", "ghij@41,50", "mn@1,75" }, 75 },
        LayoutRow { "TrailingSpaceMakesTheWordWrap", "ab cd ef", 50, 200,
            { "ab @1,25", "cd @1,50", "ef@26,50" }, 50 },
        LayoutRow { "OnePixelMoreKeepsTheWordAndItsSpace", "ab cd ef", 51, 200,
            { "ab @1,25", "cd @26,25", "ef@1,50" }, 50 },
        LayoutRow { "CentringLeavesOutTheLastTrailingSpace", "<P align=\"center\">ab cd </P>", 100,
            200, { "ab @28,25", "cd @53,25" }, 25 },
        LayoutRow { "TwoSpacesMakeAOneSpaceWord", "ab  cd", 100, 200,
            { "ab @1,25", " @26,25", "cd@31,25" }, 25 },
        LayoutRow { "OneSpaceWordStartsAWrappedLine", "ab  cd", 28, 200,
            { "ab @1,25", " @1,50", "cd@6,50" }, 50 },
        LayoutRow { "AlignmentOutlivesTheParagraphEnd", "<P align=\"right\">ab</P>cd", 100, 200,
            { "ab@81,25", "cd@81,50" }, 50 },
        LayoutRow { "ParagraphIndentMovesEveryFollowingLine", "<P indent=\"7\">ab<BR>cd", 100, 200,
            { "ab@8,25", "cd@8,50" }, 50 },
        LayoutRow { "StopsWhenTheNextLineWouldPassTheBottom", "a<BR>b<BR>c<BR>d", 100, 74,
            { "a@1,25", "b@1,50" }, 50 },
        LayoutRow { "LineThatJustFitsIsDrawnWhole", "a<BR>b<BR>c<BR>d", 100, 75,
            { "a@1,25", "b@1,50", "c@1,75" }, 75 },
        LayoutRow {
            "AmpEntityShowsOneAmpersand", "a&amp;b c", 100, 200, { "a&&b @1,25", "c@36,25" }, 25 },
        LayoutRow {
            "LoneAmpersandIsNotMeasured", "&ab c", 100, 200, { "&ab @1,25", "c@26,25" }, 25 },
        LayoutRow { "WordEntitiesDoNotSplitTheWord", "&lt;a&gt;&nbsp;b c", 100, 200,
            { "<a> b @1,25", "c@51,25" }, 25 },
        LayoutRow {
            "UnclosedTagDropsTheRest", "ab <FONT size=\"5\" cd", 100, 200, { "ab @1,25" }, 25 },
        LayoutRow { "ShortLessThanSignIsDropped", "a <b", 100, 200, { "a @1,25", "b@16,25" }, 25 },
        LayoutRow {
            "UnknownTagsChangeNothing", "a<XYZ foo>b", 100, 200, { "a@1,25", "b@11,25" }, 25 },
        LayoutRow { "CarriageReturnBreaksLineFeedIsIgnored", "ab\r\ncd", 100, 200,
            { "ab@1,25", "cd@1,50" }, 50 },
        LayoutRow { "UnquotedSizeLeavesTheSize", "<FONT size=30>ab", 100, 200, { "ab@1,25" }, 25 },
        LayoutRow { "EmptyTextIsAsHighAsGh", "", 100, 200, {}, 25 }),
    [](const testing::TestParamInfo<LayoutRow> &info) { return std::string(info.param.name); });

TEST_F(HtmlTextTest, MeasuringStopsWhereDrawingStopsAndDrawsNothing)
{
    for (int height : { 74, 75, 200 }) {
        TestCanvas drawing;
        drawing.setFont(baseFont());
        const int drawn = DrawHtmlText(drawing, "a<BR>b<BR>c<BR>d", area(100, height), 0, false);
        canvas.clearCalls();
        const int measured = DrawHtmlText(canvas, "a<BR>b<BR>c<BR>d", area(100, height), 0, true);
        EXPECT_EQ(measured, drawn) << "height " << height;
        EXPECT_TRUE(canvas.calls().empty()) << "height " << height;
    }
}

TEST_F(HtmlTextTest, LineSpacingIsAddedAboveEveryLinesText)
{
    EXPECT_EQ(DrawHtmlText(canvas, "ab<BR>cd", area(100), 4, false), 58);
    EXPECT_EQ(drawnWords(), (std::vector<std::string> { "ab@1,29", "cd@1,58" }));
}

TEST_F(HtmlTextTest, FontTagsSetFaceSizeColourAndBackground)
{
    DrawHtmlText(canvas,
        "<font face=\"courier new\" size=\"3\" color=\"#FF0000\" bgcolor=\"clYellow\">a </font>"
        "<B>b </B><FONT face=Arial>c",
        area(300), 0, false);
    const std::vector<DrawCall> words = textCalls();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].font.face, "COURIER NEW");
    EXPECT_EQ(words[0].font.points, 12);
    EXPECT_EQ(words[0].font.pixelHeight, 0);
    EXPECT_EQ(words[0].textColor, clRed);
    EXPECT_EQ(words[0].brush, (Brush { BrushStyle::Solid, clYellow }));
    EXPECT_EQ(words[1].font.face, "Arial");
    EXPECT_EQ(words[1].font.pixelHeight, 20);
    EXPECT_TRUE(words[1].font.style.has(FontStyle::Bold));
    EXPECT_EQ(words[1].textColor, clWindowText);
    EXPECT_EQ(words[1].brush.style, BrushStyle::Clear);
    EXPECT_FALSE(words[2].font.style.has(FontStyle::Bold));
    EXPECT_EQ(words[2].font.face, "") << "an unquoted face is an empty font name";
}

TEST_F(HtmlTextTest, WordsAreClippedToTheAreasRightEdge)
{
    DrawHtmlText(canvas, "ab mmmmmm", area(100), 0, false);
    const std::vector<DrawCall> words = textCalls();
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[1].kind, DrawCall::Kind::DrawText);
    EXPECT_EQ(words[1].rect, (Rect { 26, 0, 101, 25 }));
    EXPECT_EQ(words[1].flags & DrawTextFlag::NoClip, 0u);
    EXPECT_EQ(words[1].flags & DrawTextFlag::NoPrefix, 0u);
}

TEST_F(HtmlTextTest, ParagraphBackgroundFillsItsLinesAcrossTheArea)
{
    DrawHtmlText(canvas, "<P bgcolor=\"#0000FF\">ab<BR>cd</P>ef", area(100), 0, false);
    const std::vector<DrawCall> fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (Rect { 1, 0, 101, 25 }));
    EXPECT_EQ(fills[0].brush.color, clBlue);
    EXPECT_EQ(fills[1].rect, (Rect { 1, 25, 101, 50 }));
}

TEST_F(HtmlTextTest, RestoresTheCanvasFontColourAndBrush)
{
    canvas.setBrush({ BrushStyle::Solid, clAqua });
    DrawHtmlText(canvas, "<FONT face=\"Courier New\" color=\"clRed\"><B>ab", area(100), 0, false);
    EXPECT_EQ(canvas.font(), baseFont());
    EXPECT_EQ(canvas.textColor(), clWindowText);
    EXPECT_EQ(canvas.brush(), (Brush { BrushStyle::Solid, clAqua }));
}

TEST_F(HtmlTextTest, DrawingALineConsumesExactlyWhatMeasuringTook)
{
    const HtmlTextLayout layout = LayoutHtmlText(canvas, "ab cd<B>ef</B> gh a", area(40), 0);
    ASSERT_EQ(layout.lines.size(), 3u);
    std::size_t next = 0;
    for (const HtmlLine &line : layout.lines) {
        EXPECT_EQ(line.start, next);
        HtmlTextState state = line.state;
        const HtmlLineMetrics drawn
            = DrawHtmlLine(canvas, std::string_view(layout.html).substr(line.start, line.length),
                state, layout.base, line.box, HtmlLineMode::Draw);
        EXPECT_EQ(drawn.consumed, line.length);
        EXPECT_EQ(drawn.width, line.metrics.width);
        next = line.start + line.length;
    }
    EXPECT_EQ(next, layout.html.size());
}

// Malformed text never raises or stalls: random texts of tag and entity pieces are laid out in
// lines that follow each other without gaps, each taking at least one byte.
TEST_F(HtmlTextTest, RandomMarkupIsLaidOutWithoutGapsOrEmptyLines)
{
    static const char *const pieces[] = { "<", ">", "</", "P", "FONT", "B", "BR", " size=", "\"",
        "5", " face=", "Courier New", " color=", "#FF00", "&", "amp;", "nbsp;", "<#", "\r", "\n",
        " ", "  ", "ab", "mmmmmmmmmm", "align=\"right\"", "=" };
    std::mt19937 random(20261209);
    for (int round = 0; round < 300; ++round) {
        std::string html;
        for (int i = int(random() % 40); i > 0; --i)
            html += pieces[random() % std::size(pieces)];
        const HtmlTextLayout layout = LayoutHtmlText(canvas, html, area(80, 120), 0);
        std::size_t next = 0;
        for (const HtmlLine &line : layout.lines) {
            ASSERT_EQ(line.start, next) << html;
            ASSERT_GT(line.length, 0u) << html;
            next += line.length;
        }
        ASSERT_LE(next, layout.html.size()) << html;
        ASSERT_GT(DrawHtmlText(canvas, html, area(80, 120), 0, false), 0) << html;
    }
}

struct PrepareRow
{
    const char *name;
    std::string html;
    std::string prepared;
};

class PrepareHtmlTextTest : public testing::TestWithParam<PrepareRow>
{ };

TEST_P(PrepareHtmlTextTest, ReplacesEntitiesAndLineBreaks)
{
    EXPECT_EQ(PrepareHtmlText(GetParam().html), GetParam().prepared);
}

INSTANTIATE_TEST_SUITE_P(Texts, PrepareHtmlTextTest,
    testing::Values(PrepareRow { "AmpBecomesAPrefixedAmpersand", "R&amp;D", "R&&D" },
        PrepareRow { "CharacterEntitiesBecomeWindows1252",
            "&quot;&sect;&permil;&reg;&copy;&para;&trade;&euro;",
            "\"\xA7\x89\xAE\xA9\xB6\x99\x80" },
        PrepareRow { "WordEntitiesWaitForTheWords", "&nbsp;&lt;&gt;", "&nbsp;&lt;&gt;" },
        PrepareRow { "FirstHashTagLosesItsBrackets", "a<#b>c<#d>e", "a#bc<#d>e" },
        PrepareRow { "CarriageReturnBecomesABreak", "a\r\nb\nc\r", "a<BR>bc<BR>" },
        PrepareRow { "UnknownEntityStays", "&nope;", "&nope;" }),
    [](const testing::TestParamInfo<PrepareRow> &info) { return std::string(info.param.name); });

} // namespace
