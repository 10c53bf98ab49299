#include "app/panel_texts.h"

#include "panel/html_panel.h"
#include "panel/html_text.h"
#include "platform/bitmap.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The program's three panels drawn with the installed fonts. An independent greedy word wrap,
// measured with the same fonts, predicts every line's text, top, left edge and height; the
// screenshot of each panel must show ink only on those lines and within their measured width.

namespace {

// A run of text in one font: no words makes one empty line.
struct ExpectedParagraph
{
    FontSpec startFont; // the font in force where its first line starts
    FontSpec font; // the font of its words
    std::string text;
    bool centred = false;
};

struct ExpectedLine
{
    std::string text;
    int top = 0;
    int left = 0;
    int height = 0;
};

FontSpec pixelFont(const char *face, int pixels, FontStyles style = {})
{
    FontSpec font(face, 12, style);
    font.pixelHeight = pixels;
    return font;
}

// Words as the panel cuts them: each up to and including a space.
std::vector<std::string> wordsOf(const std::string &text)
{
    std::vector<std::string> words(1);
    for (char c : text) {
        words.back() += c;
        if (c == ' ')
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

// Greedy wrap of every paragraph into `area` (the panel's text area one pixel in from the left),
// stopping as the panel does when the next line's top plus the line's minimum height passes the
// bottom.
std::vector<ExpectedLine> predictLines(
    Canvas &canvas, const std::vector<ExpectedParagraph> &paragraphs, const Rect &area)
{
    std::vector<ExpectedLine> lines;
    int top = area.top;
    for (const ExpectedParagraph &paragraph : paragraphs) {
        canvas.setFont(paragraph.startFont);
        int minimum = canvas.textMetrics().height;
        canvas.setFont(paragraph.font);
        const int wordHeight = canvas.textMetrics().height;
        std::vector<std::string> words = wordsOf(paragraph.text);
        std::size_t next = 0;
        do {
            ExpectedLine line;
            int width = 0;
            bool endsWithSpace = false;
            while (next < words.size()) {
                const int wordWidth = canvas.textWidth(words[next]);
                if (width + wordWidth >= area.width() && wordWidth < area.width() && endsWithSpace)
                    break;
                line.text += words[next];
                width += wordWidth;
                endsWithSpace = words[next].back() == ' ';
                ++next;
            }
            if (endsWithSpace)
                width -= canvas.textWidth(" ");
            line.top = top;
            line.height = line.text.empty() ? minimum : std::max(minimum, wordHeight);
            line.left = paragraph.centred && area.width() > width
                ? area.left + (area.width() - width) / 2
                : area.left;
            lines.push_back(line);
            top += line.height;
            if (top + minimum > area.bottom)
                return lines;
            canvas.setFont(paragraph.font);
            minimum = wordHeight;
        } while (next < words.size());
    }
    return lines;
}

std::string visibleText(std::string_view html)
{
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    return text;
}

struct PanelCase
{
    const char *name;
    std::function<void(THtmlPanel &)> setUp;
    std::vector<ExpectedParagraph> paragraphs;
    bool showsEveryWord;
};

void PrintTo(const PanelCase &panelCase, std::ostream *out)
{
    *out << panelCase.name;
}

std::vector<ExpectedParagraph> descriptionParagraphs()
{
    const FontSpec crystal = pixelFont("Crystal", 16);
    const FontSpec times = pixelFont("Times New Roman", 16);
    return { { crystal, crystal, "", true },
        { times, times,
            "This program will process a 7 generation pedigree or up to 127 individuals.  It uses "
            "the matrix method of computing INBREEDING coeifficients and  RELATIONSHIPS between "
            "ancestors and the pedigreed individual.  Relationships are corrected for inbreeding "
            "before   they are presented.",
            true } };
}

std::vector<ExpectedParagraph> noticeParagraphs()
{
    const FontSpec crystal = pixelFont("Crystal", 16);
    const FontSpec courier("Courier New", 8);
    const FontSpec bold("Courier New", 8, FontStyle::Bold);
    return { { crystal, crystal, "", true }, { bold, bold, "Copyright \xA9 2026", true },
        { courier, courier, "ZAN", true },
        { courier, courier, "Read the terms under ABOUT ZAN", true },
        { courier, courier, "", true } };
}

std::vector<ExpectedParagraph> termsParagraphs()
{
    const FontSpec times("Times New Roman", 11);
    std::vector<ExpectedParagraph> paragraphs;
    // Paragraphs are separated by two line breaks; the first starts in the About box's font.
    std::string html = PrepareHtmlText(termsPanelText());
    html = html.substr(html.find('>') + 1);
    FontSpec start = pixelFont("MS Sans Serif", 11);
    for (std::size_t at = 0;;) {
        const std::size_t end = html.find("<BR><BR>", at);
        paragraphs.push_back({ start, times, visibleText(html.substr(at, end - at)) });
        start = times;
        if (end == std::string::npos)
            break;
        paragraphs.push_back({ times, times, "" });
        at = end + 8;
    }
    return paragraphs;
}

class PanelTextsTest : public testing::TestWithParam<PanelCase>
{ };

TEST_P(PanelTextsTest, LinesBreakAndSitWhereTheWrapPredicts)
{
    THtmlPanel panel;
    GetParam().setUp(panel);
    Bitmap bitmap(panel.width(), panel.height());
    std::unique_ptr<Canvas> canvas = bitmap.canvas();
    const Rect rect { 0, 0, panel.width(), panel.height() };
    canvas->setFont(panel.Font());
    const HtmlTextLayout layout = LayoutHtmlText(*canvas, panel.Text(), rect, 0);
    const std::vector<ExpectedLine> expected
        = predictLines(*canvas, GetParam().paragraphs, layout.area);
    ASSERT_EQ(layout.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const HtmlLine &line = layout.lines[i];
        EXPECT_EQ(visibleText(std::string_view(layout.html).substr(line.start, line.length)),
            expected[i].text)
            << "line " << i;
        EXPECT_EQ(line.box.top, expected[i].top) << "line " << i;
        EXPECT_EQ(line.box.height(), expected[i].height) << "line " << i;
        EXPECT_EQ(line.left, expected[i].left) << "line " << i;
    }
    const HtmlLine &last = layout.lines.back();
    if (GetParam().showsEveryWord) {
        EXPECT_EQ(last.start + last.length, layout.html.size()) << "every word is shown";
        EXPECT_LE(last.box.bottom, panel.height());
    }
}

// Ink (dark pixels) of the screenshot lies on the text lines, within each line's measured width.
TEST_P(PanelTextsTest, ScreenshotShowsInkOnlyOnTheMeasuredLines)
{
    THtmlPanel panel;
    GetParam().setUp(panel);
    const QImage shot = panel.grab().toImage();
    shot.save(QString("%1_panel.png").arg(GetParam().name));
    Bitmap bitmap(panel.width(), panel.height());
    std::unique_ptr<Canvas> canvas = bitmap.canvas();
    canvas->setFont(panel.Font());
    const HtmlTextLayout layout
        = LayoutHtmlText(*canvas, panel.Text(), { 0, 0, panel.width(), panel.height() }, 0);

    constexpr int frame = 4; // the bevels' rings
    std::vector<int> inkLines;
    for (int y = 0; y < shot.height() - frame; ++y) {
        for (int x = frame; x < shot.width() - frame; ++x) {
            if (qGray(shot.pixel(x, y)) >= 128)
                continue;
            const auto line = std::find_if(layout.lines.begin(), layout.lines.end(),
                [y](const HtmlLine &l) { return y >= l.box.top && y < l.box.bottom; });
            ASSERT_NE(line, layout.lines.end()) << "ink below the lines at y " << y;
            EXPECT_GE(x, line->left - 1) << "y " << y;
            EXPECT_LE(x, line->left + line->metrics.width + 1) << "y " << y;
            inkLines.push_back(int(line - layout.lines.begin()));
        }
    }
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const HtmlLine &line = layout.lines[i];
        const bool hasText
            = !visibleText(std::string_view(layout.html).substr(line.start, line.length)).empty();
        EXPECT_EQ(std::count(inkLines.begin(), inkLines.end(), int(i)) > 0, hasText)
            << "line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelTextsTest,
    testing::Values(
        PanelCase { "description", setUpDescriptionPanel, descriptionParagraphs(), true },
        PanelCase { "notice", setUpNoticePanel, noticeParagraphs(), true },
        PanelCase { "terms", setUpTermsPanel, termsParagraphs(), true }),
    [](const testing::TestParamInfo<PanelCase> &info) { return std::string(info.param.name); });

TEST(PanelTextsWordingTest, NoticeAndTermsSayWhatTheyMust)
{
    const std::string notice = visibleText(PrepareHtmlText(noticePanelText()));
    EXPECT_NE(notice.find("2026"), std::string::npos);
    EXPECT_NE(notice.find("ZAN"), std::string::npos);
    EXPECT_NE(notice.find("ABOUT"), std::string::npos);
    const std::string terms = visibleText(PrepareHtmlText(termsPanelText()));
    EXPECT_NE(terms.find("free"), std::string::npos);
    EXPECT_NE(terms.find("no warranty"), std::string::npos);
    EXPECT_GT(std::count(terms.begin(), terms.end(), ' '), 150) << "a few hundred words";
}

} // namespace
