#include "panel/html_text.h"

#include "panel/gradient.h"
#include "panel/html_tags.h"

#include <algorithm>

namespace {

// Every piece of text is drawn as one line with its bottom on the line's text bottom; "&x"
// underlines x and "&&" shows "&".
constexpr unsigned textFlags = DrawTextFlag::SingleLine | DrawTextFlag::Bottom
    | DrawTextFlag::ExpandTabs | DrawTextFlag::Left;

struct Entity
{
    std::string_view name;
    std::string_view text;
};

// Character entities replaced before layout (Windows-1252 bytes); "&amp;" keeps its meaning of a
// plain "&" through the ampersand prefix rule as "&&".
constexpr Entity textEntities[] = {
    { "&amp;", "&&" },
    { "&quot;", "\"" },
    { "&sect;", "\xA7" },
    { "&permil;", "\x89" },
    { "&reg;", "\xAE" },
    { "&copy;", "\xA9" },
    { "&para;", "\xB6" },
    { "&trade;", "\x99" },
    { "&euro;", "\x80" },
};

// Entities replaced inside a word, after the text has been cut into words.
constexpr Entity wordEntities[] = {
    { "&nbsp;", " " },
    { "&lt;", "<" },
    { "&gt;", ">" },
};

template <std::size_t N> bool replaceEntities(std::string &text, const Entity (&entities)[N])
{
    bool replaced = false;
    for (const Entity &entity : entities) {
        for (std::size_t at = text.find(entity.name); at != std::string::npos;
             at = text.find(entity.name, at)) {
            text.replace(at, entity.name.size(), entity.text);
            replaced = true;
        }
    }
    return replaced;
}

// A piece taken from the front of the remaining HTML.
struct Token
{
    enum class Kind {
        Word,
        Tag,
        Dropped, // a "<" too short to be a tag, or an unclosed tag with the rest of the text
    };
    Kind kind = Kind::Dropped;
    std::size_t length = 0; // bytes of HTML consumed
    std::string word; // Word: the text with &nbsp; &lt; &gt; replaced
    std::string_view tag; // Tag: from "<" to ">" inclusive
};

Token nextToken(std::string_view rest)
{
    if (rest.front() == '<') {
        if (rest.size() < 3)
            return { Token::Kind::Dropped, 1, {}, {} };
        const std::size_t close = rest.find('>');
        if (close == std::string_view::npos)
            return { Token::Kind::Dropped, rest.size(), {}, {} };
        return { Token::Kind::Tag, close + 1, {}, rest.substr(0, close + 1) };
    }
    const std::size_t tag = rest.find('<');
    const std::size_t space = rest.find(' ');
    std::size_t length = tag == std::string_view::npos ? rest.size() : tag;
    if (space != std::string_view::npos && space < length)
        length = space + 1;
    Token token { Token::Kind::Word, length, std::string(rest.substr(0, length)), {} };
    replaceEntities(token.word, wordEntities);
    return token;
}

bool isPlainText(std::string_view word)
{
    return word.find_first_of("&\t") == std::string_view::npos;
}

// The word's width as the platform's single-line text drawing shows it (prefixes, tabs).
int wordWidth(Canvas &canvas, std::string_view word)
{
    if (isPlainText(word))
        return canvas.textWidth(word);
    Rect extent;
    canvas.drawText(extent, word, textFlags | DrawTextFlag::CalcRect);
    return extent.width();
}

void applyParagraph(std::string_view tag, HtmlTextState &state)
{
    const std::string align = HtmlAttribute(tag, "ALIGN");
    if (align.find("CENTER") != std::string::npos)
        state.alignment = HtmlAlignment::Center;
    else if (align.find("RIGHT") != std::string::npos)
        state.alignment = HtmlAlignment::Right;
    else if (align.find("LEFT") != std::string::npos)
        state.alignment = HtmlAlignment::Left;
    if (HasHtmlAttribute(tag, "INDENT"))
        state.indent = HtmlNumberValue(HtmlAttribute(tag, "INDENT"));
    if (HasHtmlAttribute(tag, "BGCOLOR"))
        state.paragraphColor = HtmlColorValue(HtmlAttribute(tag, "BGCOLOR"));
    if (HasHtmlAttribute(tag, "BGCOLORTO"))
        state.paragraphColorTo = HtmlColorValue(HtmlAttribute(tag, "BGCOLORTO"));
}

void applyFont(std::string_view tag, HtmlTextState &state)
{
    if (HasHtmlAttribute(tag, "FACE"))
        state.font.face = HtmlAttribute(tag, "FACE");
    if (HasHtmlAttribute(tag, "SIZE")) {
        // A size that is not a positive number would make the text invisible: it changes nothing.
        const int points = HtmlFontSize(HtmlAttribute(tag, "SIZE"));
        if (points > 0) {
            state.font.points = points;
            state.font.pixelHeight = 0;
        }
    }
    if (HasHtmlAttribute(tag, "COLOR"))
        state.textColor = HtmlColorValue(HtmlAttribute(tag, "COLOR"));
    if (HasHtmlAttribute(tag, "BGCOLOR"))
        state.textBackground = HtmlColorValue(HtmlAttribute(tag, "BGCOLOR"));
}

// Applies a tag to the settings; true when the tag ends the line.
bool applyTag(std::string_view tag, HtmlTextState &state, const HtmlBaseFont &base)
{
    const std::string name = HtmlTagName(tag);
    if (name == "BR")
        return true;
    if (name == "P") {
        applyParagraph(tag, state);
    } else if (name == "/P") {
        state.paragraphColor = clNone;
        state.paragraphColorTo = clNone;
        return true;
    } else if (name == "B") {
        state.font.style |= FontStyle::Bold;
    } else if (name == "/B") {
        state.font.style = state.font.style.without(FontStyle::Bold);
    } else if (name == "FONT") {
        applyFont(tag, state);
    } else if (name == "/FONT") {
        state.font.face = base.font.face;
        state.font.points = base.font.points;
        state.font.pixelHeight = base.font.pixelHeight;
        state.textColor = base.color;
        state.textBackground = clNone;
    }
    return false;
}

void noteParagraphColor(HtmlLineMetrics &metrics, const HtmlTextState &state)
{
    if (state.paragraphColor == clNone)
        return;
    metrics.hasParagraphColor = true;
    metrics.paragraphColor = state.paragraphColor;
    metrics.paragraphColorTo = state.paragraphColorTo;
}

// Draws a word of the given width from x with its text bottom on the box's bottom, clipped to the
// box from x to its right edge. A plain word that fits the box needs no clipping or prefix
// processing and goes straight to textOut, which draws the same for a fraction of the cost.
void drawWord(Canvas &canvas, const HtmlTextState &state, const std::string &word, int width, int x,
    const Rect &box)
{
    if (x >= box.right)
        return;
    canvas.setTextColor(state.textColor);
    if (state.textBackground == clNone)
        canvas.setBrush({ BrushStyle::Clear });
    else
        canvas.setBrush({ BrushStyle::Solid, state.textBackground });
    if (isPlainText(word) && x + width <= box.right) {
        canvas.textOut(x, box.bottom - canvas.textMetrics().height, word);
        return;
    }
    Rect cell { x, box.top, box.right, box.bottom };
    canvas.drawText(cell, word, textFlags);
}

int lineLeft(const Rect &area, int width, HtmlAlignment alignment)
{
    switch (alignment) {
    case HtmlAlignment::Left:
        return area.left;
    case HtmlAlignment::Center:
        return area.width() - width > 0 ? area.left + (area.width() - width) / 2 : area.left;
    case HtmlAlignment::Right:
        return area.right - width > area.left ? area.right - width : area.left;
    }
    return area.left;
}

void fillParagraph(Canvas &canvas, const Rect &rect, const HtmlLineMetrics &metrics)
{
    if (metrics.paragraphColorTo == clNone)
        canvas.fillRect(rect, metrics.paragraphColor);
    else
        FillGradient(canvas, rect, metrics.paragraphColor, metrics.paragraphColorTo,
            GradientDirection::LeftToRight);
}

} // namespace

std::string PrepareHtmlText(std::string_view html)
{
    std::string text(html);
    while (replaceEntities(text, textEntities)) { }
    const std::size_t hash = text.find("<#");
    if (hash != std::string::npos) {
        text.erase(hash, 1);
        const std::size_t close = text.find('>', hash);
        if (close != std::string::npos)
            text.erase(close, 1);
    }
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\r')
            result += "<BR>";
        else if (c != '\n')
            result += c;
    }
    return result;
}

HtmlLineMetrics DrawHtmlLine(Canvas &canvas, std::string_view html, HtmlTextState &state,
    const HtmlBaseFont &base, const Rect &box, HtmlLineMode mode)
{
    HtmlLineMetrics metrics;
    canvas.setFont(state.font);
    metrics.minimumHeight = canvas.textExtent("gh").height;
    metrics.height = metrics.minimumHeight;
    noteParagraphColor(metrics, state);
    int trailingSpace = 0;
    bool endsWithSpace = false;
    std::size_t at = 0;
    while (at < html.size()) {
        const Token token = nextToken(html.substr(at));
        if (token.kind == Token::Kind::Word) {
            canvas.setFont(state.font);
            const int width = wordWidth(canvas, token.word);
            if (mode == HtmlLineMode::Measure) {
                const bool fits = metrics.width + width < box.width() || width >= box.width();
                if (!fits && endsWithSpace)
                    break;
            } else {
                drawWord(canvas, state, token.word, width, box.left + metrics.width, box);
            }
            metrics.width += width;
            metrics.height = std::max(metrics.height, canvas.textMetrics().height);
            endsWithSpace = token.word.back() == ' ';
            trailingSpace = endsWithSpace ? canvas.textWidth(" ") : 0;
            at += token.length;
            continue;
        }
        at += token.length;
        if (token.kind == Token::Kind::Tag) {
            const bool endsLine = applyTag(token.tag, state, base);
            noteParagraphColor(metrics, state);
            if (endsLine)
                break;
        }
    }
    metrics.consumed = at;
    metrics.width -= trailingSpace;
    return metrics;
}

HtmlTextLayout LayoutHtmlText(
    Canvas &canvas, std::string_view html, const Rect &rect, int lineSpacing)
{
    HtmlTextLayout layout;
    layout.html = PrepareHtmlText(html);
    layout.base = { canvas.font(), canvas.textColor() };
    layout.area = { rect.left + 1, rect.top, rect.right, rect.bottom };
    HtmlTextState state;
    state.font = layout.base.font;
    state.textColor = layout.base.color;
    const std::string_view text = layout.html;
    int top = rect.top;
    std::size_t at = 0;
    while (at < text.size()) {
        HtmlLine line;
        line.start = at;
        line.state = state;
        line.metrics = DrawHtmlLine(
            canvas, text.substr(at), state, layout.base, layout.area, HtmlLineMode::Measure);
        line.length = line.metrics.consumed;
        const int height = line.metrics.height + lineSpacing;
        line.left = lineLeft(layout.area, line.metrics.width, state.alignment) + state.indent;
        line.box = { line.left, top, layout.area.right, top + height };
        layout.lines.push_back(line);
        at += line.length;
        top += height;
        layout.height += height;
        if (top + line.metrics.minimumHeight > rect.bottom)
            break;
    }
    canvas.setFont(layout.base.font);
    if (layout.height == 0)
        layout.height = canvas.textExtent("gh").height;
    return layout;
}

int DrawHtmlText(
    Canvas &canvas, std::string_view html, const Rect &rect, int lineSpacing, bool measureOnly)
{
    const Brush oldBrush = canvas.brush();
    const FontSpec oldFont = canvas.font();
    const TColor oldColor = canvas.textColor();
    canvas.setBrush({ BrushStyle::Clear, oldBrush.color });
    const HtmlTextLayout layout = LayoutHtmlText(canvas, html, rect, lineSpacing);
    if (!measureOnly) {
        const std::string_view text = layout.html;
        for (const HtmlLine &line : layout.lines) {
            if (line.metrics.hasParagraphColor)
                fillParagraph(canvas,
                    { layout.area.left, line.box.top, layout.area.right, line.box.bottom },
                    line.metrics);
            HtmlTextState state = line.state;
            DrawHtmlLine(canvas, text.substr(line.start, line.length), state, layout.base, line.box,
                HtmlLineMode::Draw);
        }
    }
    canvas.setBrush(oldBrush);
    canvas.setFont(oldFont);
    canvas.setTextColor(oldColor);
    return layout.height;
}
