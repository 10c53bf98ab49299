#include "test_canvas.h"

#include "bitmap.h"
#include "canvas_state_p.h"
#include "mul_div.h"
#include "recorded_picture.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

bool isFixedPitchTestFace(const std::string &face)
{
    std::string lower = face;
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    return lower == "crystal" || lower == "courier new";
}

int proportionalWidth(unsigned char byte, int em)
{
    switch (byte) {
    case ' ':
    case 'i':
    case 'l':
    case 'I':
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '\'':
    case '|':
        return em / 4;
    case 'm':
    case 'M':
    case 'W':
    case 'w':
        return em;
    default:
        return em / 2;
    }
}

} // namespace

struct TestCanvas::Private
{
    int resolutionX = 96;
    int resolutionY = 96;
    CanvasState state;
    std::vector<CanvasState> saved;
    TestFontMetrics fontMetrics;
    std::vector<DrawCall> calls;
    mutable int measureCount = 0;
    bool recording = true;

    void refreshFont() { fontMetrics = TestCanvas::metricsFor(state.font, state.fontResolution); }

    int charWidth(unsigned char byte) const
    {
        return fontMetrics.widths[byte] + state.characterExtra;
    }

    DrawCall makeCall(DrawCall::Kind kind) const
    {
        DrawCall call;
        call.kind = kind;
        call.font = state.font;
        call.metrics = fontMetrics.metrics;
        call.textColor = state.textColor;
        call.pen = state.pen;
        call.brush = state.brush;
        call.characterExtra = state.characterExtra;
        call.characterMap = state.characterMap;
        return call;
    }

    void record(DrawCall call)
    {
        if (recording)
            calls.push_back(std::move(call));
    }

    Rect deviceBounds() const { return { 0, 0, 1 << 24, 1 << 24 }; }
};

TestCanvas::TestCanvas(int resolutionX, int resolutionY) : d(std::make_unique<Private>())
{
    d->resolutionX = resolutionX;
    d->resolutionY = resolutionY;
    d->state.fontResolution = resolutionY;
    d->refreshFont();
}

TestCanvas::~TestCanvas() = default;

TestFontMetrics TestCanvas::metricsFor(const FontSpec &font, int fontResolution)
{
    TestFontMetrics result;
    const int nominal
        = font.pixelHeight > 0 ? font.pixelHeight : MulDiv(font.points, fontResolution, 72);
    const int em = std::max(1, nominal);
    result.em = em;
    const bool fixed = isFixedPitchTestFace(font.face);
    const int boldExtra = font.style.has(FontStyle::Bold) ? 1 : 0;
    for (int byte = 0; byte < 256; ++byte) {
        int width = fixed ? em * 3 / 5 : proportionalWidth(static_cast<unsigned char>(byte), em);
        width += boldExtra;
        if (font.width > 0)
            width = font.width;
        result.widths[byte] = std::max(1, width);
    }
    TextMetrics &m = result.metrics;
    m.ascent = em;
    m.descent = em / 4;
    m.height = m.ascent + m.descent;
    m.externalLeading = em / 8;
    m.averageCharWidth = result.widths['x'];
    m.maxCharWidth = *std::max_element(std::begin(result.widths), std::end(result.widths));
    m.underlinePosition = std::max(1, em / 10);
    m.underlineSize = std::max(1, em / 20);
    return result;
}

const std::vector<DrawCall> &TestCanvas::calls() const
{
    return d->calls;
}

void TestCanvas::clearCalls()
{
    d->calls.clear();
}

std::vector<DrawCall> TestCanvas::callsOf(DrawCall::Kind kind) const
{
    std::vector<DrawCall> result;
    std::copy_if(d->calls.begin(), d->calls.end(), std::back_inserter(result),
        [kind](const DrawCall &call) { return call.kind == kind; });
    return result;
}

int TestCanvas::measureCount() const
{
    return d->measureCount;
}

int TestCanvas::deviceResolutionX() const
{
    return d->resolutionX;
}

int TestCanvas::deviceResolutionY() const
{
    return d->resolutionY;
}

void TestCanvas::setFontResolution(int pixelsPerInch)
{
    d->state.fontResolution = pixelsPerInch;
    d->refreshFont();
}

int TestCanvas::fontResolution() const
{
    return d->state.fontResolution;
}

void TestCanvas::setFont(const FontSpec &font)
{
    d->state.font = font;
    d->refreshFont();
}

const FontSpec &TestCanvas::font() const
{
    return d->state.font;
}

TextMetrics TestCanvas::textMetrics() const
{
    return d->fontMetrics.metrics;
}

int TestCanvas::textWidth(std::string_view text) const
{
    ++d->measureCount;
    int width = 0;
    for (char byte : text)
        width += d->charWidth(static_cast<unsigned char>(byte));
    return width;
}

std::vector<int> TestCanvas::partialWidths(std::string_view text) const
{
    ++d->measureCount;
    std::vector<int> widths;
    widths.reserve(text.size());
    int width = 0;
    for (char byte : text) {
        width += d->charWidth(static_cast<unsigned char>(byte));
        widths.push_back(width);
    }
    return widths;
}

int TestCanvas::fitCount(std::string_view text, int maxWidth) const
{
    ++d->measureCount;
    int width = 0;
    int count = 0;
    for (char byte : text) {
        width += d->charWidth(static_cast<unsigned char>(byte));
        if (width > maxWidth)
            break;
        ++count;
    }
    return count;
}

void TestCanvas::setCharacterExtra(int pixels)
{
    d->state.characterExtra = pixels;
}

int TestCanvas::characterExtra() const
{
    return d->state.characterExtra;
}

void TestCanvas::setCharacterMap(CharacterMap map)
{
    d->state.characterMap = map;
}

CharacterMap TestCanvas::characterMap() const
{
    return d->state.characterMap;
}

void TestCanvas::setTextColor(TColor color)
{
    d->state.textColor = color;
}

TColor TestCanvas::textColor() const
{
    return d->state.textColor;
}

void TestCanvas::setPen(const Pen &pen)
{
    d->state.pen = pen;
}

const Pen &TestCanvas::pen() const
{
    return d->state.pen;
}

void TestCanvas::setBrush(const Brush &brush)
{
    d->state.brush = brush;
}

const Brush &TestCanvas::brush() const
{
    return d->state.brush;
}

void TestCanvas::textOut(int x, int y, std::string_view text)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Text);
    call.x = x;
    call.y = y;
    call.text = std::string(text);
    call.device = logicalToDevice({ x, y });
    d->record(std::move(call));
}

void TestCanvas::textOutWithAdvances(
    int x, int y, std::string_view text, const std::vector<int> &advances)
{
    DrawCall call = d->makeCall(DrawCall::Kind::TextWithAdvances);
    call.x = x;
    call.y = y;
    call.text = std::string(text);
    call.advances = advances;
    call.device = logicalToDevice({ x, y });
    d->record(std::move(call));
}

int TestCanvas::drawText(Rect &rect, std::string_view text, unsigned flags)
{
    DrawCall call = d->makeCall(DrawCall::Kind::DrawText);
    call.rect = rect;
    call.text = std::string(text);
    call.flags = flags;
    call.device = logicalToDevice({ rect.left, rect.top });
    if (!(flags & DrawTextFlag::CalcRect))
        d->record(std::move(call));
    const bool wasRecording = d->recording;
    d->recording = false;
    const int height = Canvas::drawText(rect, text, flags);
    d->recording = wasRecording;
    return height;
}

void TestCanvas::moveTo(int x, int y)
{
    d->state.penPosition = { x, y };
}

void TestCanvas::lineTo(int x, int y)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Line);
    call.x = d->state.penPosition.x;
    call.y = d->state.penPosition.y;
    call.x2 = x;
    call.y2 = y;
    call.device = logicalToDevice({ call.x, call.y });
    d->record(std::move(call));
    d->state.penPosition = { x, y };
}

void TestCanvas::polyline(const std::vector<Point> &points)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Polyline);
    call.points = points;
    if (!points.empty())
        call.device = logicalToDevice(points.front());
    d->record(std::move(call));
}

void TestCanvas::rectangle(const Rect &rect)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Rectangle);
    call.rect = rect;
    call.device = logicalToDevice({ rect.left, rect.top });
    d->record(std::move(call));
}

void TestCanvas::polygon(const std::vector<Point> &points)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Polygon);
    call.points = points;
    if (!points.empty())
        call.device = logicalToDevice(points.front());
    d->record(std::move(call));
}

void TestCanvas::fillRect(const Rect &rect)
{
    DrawCall call = d->makeCall(DrawCall::Kind::FillRect);
    call.rect = rect;
    call.device = logicalToDevice({ rect.left, rect.top });
    d->record(std::move(call));
}

void TestCanvas::frameRect(const Rect &rect)
{
    DrawCall call = d->makeCall(DrawCall::Kind::FrameRect);
    call.rect = rect;
    call.device = logicalToDevice({ rect.left, rect.top });
    d->record(std::move(call));
}

void TestCanvas::drawBitmap(int x, int y, const Bitmap &bitmap)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Bitmap);
    call.x = x;
    call.y = y;
    call.rect = Rect::fromSize(x, y, bitmap.width(), bitmap.height());
    call.device = logicalToDevice({ x, y });
    d->record(std::move(call));
}

void TestCanvas::stretchBitmap(const Rect &target, const Bitmap &bitmap)
{
    DrawCall call = d->makeCall(DrawCall::Kind::StretchBitmap);
    call.rect = target;
    call.source = { 0, 0, bitmap.width(), bitmap.height() };
    call.device = logicalToDevice({ target.left, target.top });
    d->record(std::move(call));
}

void TestCanvas::drawBitmapPart(const Rect &target, const Bitmap &, const Rect &source)
{
    DrawCall call = d->makeCall(DrawCall::Kind::BitmapPart);
    call.rect = target;
    call.source = source;
    call.device = logicalToDevice({ target.left, target.top });
    d->record(std::move(call));
}

void TestCanvas::drawPicture(int x, int y, const RecordedPicture &picture)
{
    DrawCall call = d->makeCall(DrawCall::Kind::Picture);
    call.x = x;
    call.y = y;
    call.rect = Rect::fromSize(x, y, picture.width(), picture.height());
    call.pictureSize = { picture.width(), picture.height() };
    call.device = logicalToDevice({ x, y });
    d->record(std::move(call));
}

void TestCanvas::stretchPicture(const Rect &target, const RecordedPicture &picture)
{
    DrawCall call = d->makeCall(DrawCall::Kind::StretchPicture);
    call.rect = target;
    call.pictureSize = { picture.width(), picture.height() };
    call.device = logicalToDevice({ target.left, target.top });
    d->record(std::move(call));
}

void TestCanvas::setClipRect(const Rect &rect)
{
    d->state.deviceClip = d->state.mapping.toDevice(rect);
    DrawCall call = d->makeCall(DrawCall::Kind::SetClip);
    call.rect = rect;
    call.device = logicalToDevice({ rect.left, rect.top });
    d->record(std::move(call));
}

void TestCanvas::intersectClipRect(const Rect &rect)
{
    const Rect device = d->state.mapping.toDevice(rect);
    d->state.deviceClip = d->state.deviceClip ? d->state.deviceClip->intersected(device) : device;
    DrawCall call = d->makeCall(DrawCall::Kind::IntersectClip);
    call.rect = rect;
    call.device = logicalToDevice({ rect.left, rect.top });
    d->record(std::move(call));
}

void TestCanvas::removeClip()
{
    d->state.deviceClip.reset();
    d->record(d->makeCall(DrawCall::Kind::RemoveClip));
}

Rect TestCanvas::clipBounds() const
{
    return d->state.mapping.toLogical(d->state.deviceClip.value_or(d->deviceBounds()));
}

void TestCanvas::setMappingText(Point viewportOrigin)
{
    d->state.mapping = Mapping {};
    d->state.mapping.viewportOrigin = viewportOrigin;
}

void TestCanvas::setMappingAnisotropic(Size windowExtent, Size viewportExtent, Point viewportOrigin)
{
    if (windowExtent.width == 0 || windowExtent.height == 0 || viewportExtent.width == 0
        || viewportExtent.height == 0)
        return;
    d->state.mapping = { true, windowExtent, viewportExtent, viewportOrigin };
}

Point TestCanvas::logicalToDevice(Point logical) const
{
    return d->state.mapping.toDevice(logical);
}

void TestCanvas::save()
{
    d->saved.push_back(d->state);
}

void TestCanvas::restore()
{
    if (d->saved.empty())
        return;
    d->state = d->saved.back();
    d->saved.pop_back();
    d->refreshFont();
}
