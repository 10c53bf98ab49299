#include "canvas.h"

#include "bitmap.h"

#include <algorithm>

Rect Rect::intersected(const Rect &other) const
{
    const Rect result { std::max(left, other.left), std::max(top, other.top),
        std::min(right, other.right), std::min(bottom, other.bottom) };
    if (result.isEmpty())
        return {};
    return result;
}

Size Canvas::textExtent(std::string_view text) const
{
    return { textWidth(text), textMetrics().height };
}

void Canvas::fillRect(const Rect &rect, TColor color)
{
    const Brush old = brush();
    setBrush({ BrushStyle::Solid, color });
    fillRect(rect);
    setBrush(old);
}

void Canvas::frame3D(Rect &rect, TColor topLeft, TColor bottomRight, int width)
{
    const Pen old = pen();
    for (int ring = 0; ring < width; ++ring) {
        const int right = rect.right - 1;
        const int bottom = rect.bottom - 1;
        setPen({ PenStyle::Solid, 1, topLeft });
        polyline({ { rect.left, bottom }, { rect.left, rect.top }, { right, rect.top } });
        setPen({ PenStyle::Solid, 1, bottomRight });
        polyline({ { right, rect.top }, { right, bottom }, { rect.left - 1, bottom } });
        rect = { rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1 };
    }
    setPen(old);
}

void Canvas::tileBitmap(const Rect &area, const Bitmap &bitmap, int originX, int originY)
{
    const int tileWidth = bitmap.width();
    const int tileHeight = bitmap.height();
    if (bitmap.isEmpty() || area.isEmpty())
        return;
    auto firstTile = [](int start, int origin, int size) {
        int offset = (start - origin) % size;
        if (offset < 0)
            offset += size;
        return start - offset;
    };
    for (int y = firstTile(area.top, originY, tileHeight); y < area.bottom; y += tileHeight) {
        for (int x = firstTile(area.left, originX, tileWidth); x < area.right; x += tileWidth) {
            const Rect tile = Rect::fromSize(x, y, tileWidth, tileHeight);
            const Rect visible = tile.intersected(area);
            const Rect source = visible.translated(-x, -y);
            drawBitmapPart(visible, bitmap, source);
        }
    }
}

namespace {

// One line of drawText: pieces between tabs, each at an offset from the line's start.
struct TextPiece
{
    int x = 0;
    std::string text;
};

struct TextLine
{
    std::vector<TextPiece> pieces;
    int width = 0;
    int underlineX = -1; // offset of the character marked by '&', -1 without one
    int underlineWidth = 0;
};

struct PrefixedText
{
    std::string text;
    int underlineIndex = -1;
};

// Resolves '&' prefixes: "&&" is one '&', "&x" marks x; a final lone '&' is dropped.
PrefixedText resolvePrefixes(std::string_view text, bool noPrefix)
{
    PrefixedText result;
    if (noPrefix) {
        result.text = std::string(text);
        return result;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            result.text += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        ++i;
        if (text[i] != '&')
            result.underlineIndex = int(result.text.size());
        result.text += text[i];
    }
    return result;
}

std::vector<std::string> splitParagraphs(const std::string &text, bool singleLine)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            lines.back() += c;
            continue;
        }
        if (singleLine) {
            lines.back() += ' ';
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.emplace_back();
    }
    return lines;
}

class TextLayouter
{
public:
    TextLayouter(const Canvas &canvas, unsigned flags)
        : m_canvas(canvas), m_flags(flags),
          m_tabWidth(std::max(1, 8 * canvas.textMetrics().averageCharWidth))
    { }

    // Width of a line with tabs expanded.
    int lineWidth(std::string_view line) const { return layoutLine(line).width; }

    TextLine layoutLine(std::string_view line) const
    {
        TextLine result;
        const bool expand = (m_flags & DrawTextFlag::ExpandTabs) != 0;
        int x = 0;
        std::size_t start = 0;
        while (start <= line.size()) {
            std::size_t end = expand ? line.find('\t', start) : std::string_view::npos;
            if (end == std::string_view::npos)
                end = line.size();
            TextPiece piece { x, std::string(line.substr(start, end - start)) };
            x += m_canvas.textWidth(piece.text);
            result.pieces.push_back(std::move(piece));
            if (end == line.size())
                break;
            x = (x / m_tabWidth + 1) * m_tabWidth;
            start = end + 1;
        }
        result.width = x;
        return result;
    }

    // Splits a paragraph at spaces so that lines fit maxWidth; a long word keeps its own line.
    std::vector<std::string> wrap(const std::string &paragraph, int maxWidth) const
    {
        std::vector<std::string> lines;
        std::string current;
        std::size_t pos = 0;
        while (pos < paragraph.size()) {
            std::size_t end = paragraph.find(' ', pos);
            end = end == std::string::npos ? paragraph.size() : end + 1;
            const std::string word = paragraph.substr(pos, end - pos);
            std::string candidate = current + word;
            std::string trimmed = candidate;
            while (!trimmed.empty() && trimmed.back() == ' ')
                trimmed.pop_back();
            if (!current.empty() && lineWidth(trimmed) > maxWidth) {
                lines.push_back(current);
                candidate = word;
            }
            current = candidate;
            pos = end;
        }
        lines.push_back(current);
        for (std::string &line : lines) {
            while (!line.empty() && line.back() == ' ' && lines.size() > 1)
                line.pop_back();
        }
        return lines;
    }

private:
    const Canvas &m_canvas;
    unsigned m_flags;
    int m_tabWidth;
};

// Locates the prefixed character in a laid-out line (index counted over the line's text).
void markUnderline(TextLine &line, int index, const Canvas &canvas)
{
    int offset = 0;
    for (const TextPiece &piece : line.pieces) {
        const int length = int(piece.text.size());
        if (index < offset + length) {
            const std::string before = piece.text.substr(0, std::size_t(index - offset));
            line.underlineX = piece.x + canvas.textWidth(before);
            line.underlineWidth
                = canvas.textWidth(piece.text.substr(std::size_t(index - offset), 1));
            return;
        }
        offset += length + 1;
    }
}

std::vector<TextLine> layoutText(
    const Canvas &canvas, const Rect &rect, std::string_view text, unsigned flags)
{
    const PrefixedText prefixed = resolvePrefixes(text, flags & DrawTextFlag::NoPrefix);
    const TextLayouter layouter(canvas, flags);
    const bool singleLine = flags & DrawTextFlag::SingleLine;
    std::vector<TextLine> lines;
    int consumed = 0;
    for (const std::string &paragraph : splitParagraphs(prefixed.text, singleLine)) {
        std::vector<std::string> pieces { paragraph };
        if (!singleLine && (flags & DrawTextFlag::WordBreak))
            pieces = layouter.wrap(paragraph, rect.width());
        for (const std::string &piece : pieces) {
            TextLine line = layouter.layoutLine(piece);
            const int index = prefixed.underlineIndex - consumed;
            if (prefixed.underlineIndex >= 0 && index >= 0 && index < int(piece.size()))
                markUnderline(line, index, canvas);
            consumed += int(piece.size());
            lines.push_back(std::move(line));
        }
        consumed += 1;
    }
    return lines;
}

int alignedX(const Rect &rect, int width, unsigned flags)
{
    if (flags & DrawTextFlag::Right)
        return rect.right - width;
    if (flags & DrawTextFlag::Center)
        return rect.left + (rect.width() - width) / 2;
    return rect.left;
}

int firstLineY(const Rect &rect, int totalHeight, unsigned flags)
{
    if (!(flags & DrawTextFlag::SingleLine))
        return rect.top;
    if (flags & DrawTextFlag::Bottom)
        return rect.bottom - totalHeight;
    if (flags & DrawTextFlag::VerticalCenter)
        return rect.top + (rect.height() - totalHeight) / 2;
    return rect.top;
}

} // namespace

void Canvas::textOutAligned(int x, int y, std::string_view text, unsigned alignment)
{
    const int width = textWidth(text);
    if (alignment == DrawTextFlag::Center)
        x -= width / 2;
    else if (alignment == DrawTextFlag::Right)
        x -= width;
    textOut(x, y, text);
}

int Canvas::drawText(Rect &rect, std::string_view text, unsigned flags)
{
    const std::vector<TextLine> lines = layoutText(*this, rect, text, flags);
    const TextMetrics metrics = textMetrics();
    const int totalHeight = int(lines.size()) * metrics.height;
    if (flags & DrawTextFlag::CalcRect) {
        int widest = 0;
        for (const TextLine &line : lines)
            widest = std::max(widest, line.width);
        rect.right = rect.left + widest;
        rect.bottom = rect.top + totalHeight;
        return totalHeight;
    }
    save();
    if (!(flags & DrawTextFlag::NoClip))
        intersectClipRect(rect);
    int y = firstLineY(rect, totalHeight, flags);
    for (const TextLine &line : lines) {
        const int x = alignedX(rect, line.width, flags);
        for (const TextPiece &piece : line.pieces)
            textOut(x + piece.x, y, piece.text);
        if (line.underlineX >= 0) {
            const int underlineY = y + metrics.ascent + metrics.underlinePosition;
            fillRect(Rect::fromSize(x + line.underlineX, underlineY, line.underlineWidth,
                         metrics.underlineSize),
                textColor());
        }
        y += metrics.height;
    }
    restore();
    return totalHeight;
}
