#include "painter_canvas.h"

#include "bitmap_p.h"
#include "canvas_state_p.h"
#include "font_cache_p.h"
#include "zan_error.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>

#include <cmath>
#include <numeric>

namespace {

QColor toQColor(TColor color)
{
    const std::uint32_t rgb = colorToRgb(color);
    return QColor(redOf(rgb), greenOf(rgb), blueOf(rgb));
}

QRect toQRect(const Rect &rect)
{
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

Rect fromQRect(const QRect &rect)
{
    return { rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height() };
}

QTransform mappingTransform(const Mapping &mapping)
{
    if (!mapping.anisotropic)
        return QTransform::fromTranslate(mapping.viewportOrigin.x, mapping.viewportOrigin.y);
    const double sx = double(mapping.viewportExtent.width) / mapping.windowExtent.width;
    const double sy = double(mapping.viewportExtent.height) / mapping.windowExtent.height;
    return QTransform(sx, 0, 0, sy, mapping.viewportOrigin.x, mapping.viewportOrigin.y);
}

// A pen of width 0 or 1 is one device pixel under every mapping (cosmetic); wider pens scale.
QPen toQPen(const Pen &pen)
{
    if (pen.style == PenStyle::Clear || pen.color == clNone)
        return QPen(Qt::NoPen);
    QPen result(toQColor(pen.color));
    result.setCapStyle(Qt::FlatCap);
    result.setJoinStyle(Qt::MiterJoin);
    result.setWidth(pen.width > 1 ? pen.width : 0);
    result.setCosmetic(pen.width <= 1);
    switch (pen.style) {
    case PenStyle::Dash:
        result.setStyle(Qt::DashLine);
        break;
    case PenStyle::Dot:
        result.setStyle(Qt::DotLine);
        break;
    case PenStyle::Solid:
    case PenStyle::InsideFrame:
    case PenStyle::Clear:
        break;
    }
    return result;
}

} // namespace

struct PainterCanvas::Private
{
    QPainter *painter = nullptr;
    std::unique_ptr<QPainter> ownedPainter;
    bool finished = false;
    int resolutionX = 96;
    int resolutionY = 96;
    QTransform base;
    CanvasState state;
    std::vector<CanvasState> saved;
    std::shared_ptr<const RealisedFont> font;
    // What was last handed to the painter, to avoid recording repeated state changes.
    QFont painterFont;
    bool painterFontValid = false;

    void refreshFont() { font = realiseFont(state.font, state.fontResolution, state.characterMap); }

    void applyTransform() { painter->setWorldTransform(mappingTransform(state.mapping) * base); }

    void applyClip()
    {
        if (!state.deviceClip) {
            painter->setClipping(false);
            return;
        }
        painter->setWorldTransform(base);
        painter->setClipRect(toQRect(*state.deviceClip), Qt::ReplaceClip);
        applyTransform();
    }

    void useFont(int extraSpacing)
    {
        QFont wanted = font->font;
        if (extraSpacing != 0)
            wanted.setLetterSpacing(QFont::AbsoluteSpacing, extraSpacing);
        if (painterFontValid && wanted == painterFont)
            return;
        painter->setFont(wanted);
        painterFont = wanted;
        painterFontValid = true;
    }

    int roundedWidth(double exact, std::size_t count) const
    {
        return int(std::lround(exact)) + int(count) * state.characterExtra;
    }

    // Fills the text cell behind a text when the brush is solid (opaque text).
    void fillTextBackground(double x, int y, int width)
    {
        if (state.brush.style != BrushStyle::Solid || state.brush.color == clNone)
            return;
        painter->fillRect(QRectF(x, y, width, font->metrics.height), toQColor(state.brush.color));
    }

    void drawRun(double x, int y, std::string_view text, int extraSpacing)
    {
        if (text.empty())
            return;
        useFont(extraSpacing);
        painter->setPen(toQColor(state.textColor));
        painter->drawText(QPointF(x, y + font->metrics.ascent), font->toQString(text));
    }

    // The painter's whole device in canvas device pixels (before the canvas mapping).
    Rect deviceArea() const
    {
        QRect area(0, 0, painter->device()->width(), painter->device()->height());
        if (QPaintEngine *engine = painter->paintEngine()) {
            const QRegion systemClip = engine->systemClip();
            if (!systemClip.isEmpty())
                area = systemClip.boundingRect();
        }
        return fromQRect(base.inverted().mapRect(area));
    }
};

PainterCanvas::PainterCanvas(QPaintDevice *device) : d(std::make_unique<Private>())
{
    d->ownedPainter = std::make_unique<QPainter>();
    if (device == nullptr || !d->ownedPainter->begin(device))
        throw ZanError("cannot paint on the device");
    d->painter = d->ownedPainter.get();
    d->resolutionX = device->logicalDpiX();
    d->resolutionY = device->logicalDpiY();
    d->painter->setRenderHint(QPainter::TextAntialiasing);
    d->painter->setRenderHint(QPainter::SmoothPixmapTransform);
    d->state.fontResolution = d->resolutionY;
    d->refreshFont();
}

PainterCanvas::PainterCanvas(QPainter *painter)
    : PainterCanvas(painter, painter->device()->logicalDpiX(), painter->device()->logicalDpiY())
{ }

PainterCanvas::PainterCanvas(QPainter *painter, int resolutionX, int resolutionY)
    : d(std::make_unique<Private>())
{
    d->painter = painter;
    d->painter->save();
    d->base = painter->worldTransform();
    d->resolutionX = resolutionX;
    d->resolutionY = resolutionY;
    d->painter->setRenderHint(QPainter::Antialiasing, false);
    d->painter->setRenderHint(QPainter::TextAntialiasing);
    d->painter->setRenderHint(QPainter::SmoothPixmapTransform);
    if (painter->hasClipping())
        d->state.deviceClip = fromQRect(painter->clipBoundingRect().toAlignedRect());
    d->state.fontResolution = resolutionY;
    d->refreshFont();
}

PainterCanvas::~PainterCanvas()
{
    finish();
}

void PainterCanvas::finish()
{
    if (d->finished)
        return;
    d->finished = true;
    if (d->ownedPainter) {
        d->ownedPainter->end();
        return;
    }
    while (!d->saved.empty()) {
        d->painter->restore();
        d->saved.pop_back();
    }
    d->painter->restore();
}

QPainter *PainterCanvas::painter() const
{
    return d->painter;
}

int PainterCanvas::deviceResolutionX() const
{
    return d->resolutionX;
}

int PainterCanvas::deviceResolutionY() const
{
    return d->resolutionY;
}

void PainterCanvas::setFontResolution(int pixelsPerInch)
{
    if (pixelsPerInch <= 0 || pixelsPerInch == d->state.fontResolution)
        return;
    d->state.fontResolution = pixelsPerInch;
    d->refreshFont();
}

int PainterCanvas::fontResolution() const
{
    return d->state.fontResolution;
}

void PainterCanvas::setFont(const FontSpec &font)
{
    if (font == d->state.font)
        return;
    d->state.font = font;
    d->refreshFont();
}

const FontSpec &PainterCanvas::font() const
{
    return d->state.font;
}

TextMetrics PainterCanvas::textMetrics() const
{
    return d->font->metrics;
}

int PainterCanvas::textWidth(std::string_view text) const
{
    return d->roundedWidth(d->font->exactWidth(text), text.size());
}

std::vector<int> PainterCanvas::partialWidths(std::string_view text) const
{
    std::vector<int> widths;
    widths.reserve(text.size());
    double exact = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        exact += d->font->advances[static_cast<unsigned char>(text[i])];
        widths.push_back(d->roundedWidth(exact, i + 1));
    }
    return widths;
}

int PainterCanvas::fitCount(std::string_view text, int maxWidth) const
{
    double exact = 0;
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        exact += d->font->advances[static_cast<unsigned char>(text[i])];
        if (d->roundedWidth(exact, i + 1) > maxWidth)
            break;
        ++count;
    }
    return count;
}

void PainterCanvas::setCharacterExtra(int pixels)
{
    d->state.characterExtra = pixels;
}

int PainterCanvas::characterExtra() const
{
    return d->state.characterExtra;
}

void PainterCanvas::setCharacterMap(CharacterMap map)
{
    if (map == d->state.characterMap)
        return;
    d->state.characterMap = map;
    d->refreshFont();
}

CharacterMap PainterCanvas::characterMap() const
{
    return d->state.characterMap;
}

void PainterCanvas::setTextColor(TColor color)
{
    d->state.textColor = color;
}

TColor PainterCanvas::textColor() const
{
    return d->state.textColor;
}

void PainterCanvas::setPen(const Pen &pen)
{
    d->state.pen = pen;
}

const Pen &PainterCanvas::pen() const
{
    return d->state.pen;
}

void PainterCanvas::setBrush(const Brush &brush)
{
    d->state.brush = brush;
}

const Brush &PainterCanvas::brush() const
{
    return d->state.brush;
}

void PainterCanvas::textOut(int x, int y, std::string_view text)
{
    if (text.empty())
        return;
    d->fillTextBackground(x, y, textWidth(text));
    if (d->state.textColor != clNone)
        d->drawRun(x, y, text, d->state.characterExtra);
}

// Draws runs of characters with one text call each while the font's own advances keep every
// character within half a pixel of its given position; a run restarts where they drift apart.
void PainterCanvas::textOutWithAdvances(
    int x, int y, std::string_view text, const std::vector<int> &advances)
{
    if (text.empty())
        return;
    const RealisedFont &font = *d->font;
    std::vector<double> targets(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const double own = font.advances[static_cast<unsigned char>(text[i])];
        targets[i] = i < advances.size() ? advances[i] : own + d->state.characterExtra;
    }
    const double total = std::accumulate(targets.begin(), targets.end(), 0.0);
    d->fillTextBackground(x, y, int(std::lround(total)));
    if (d->state.textColor == clNone)
        return;
    std::size_t runStart = 0;
    double runX = x;
    double target = x;
    double natural = x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::abs(target - natural) > 0.5) {
            d->drawRun(runX, y, text.substr(runStart, i - runStart), 0);
            runStart = i;
            runX = target;
            natural = target;
        }
        target += targets[i];
        natural += font.advances[static_cast<unsigned char>(text[i])];
    }
    d->drawRun(runX, y, text.substr(runStart), 0);
}

void PainterCanvas::moveTo(int x, int y)
{
    d->state.penPosition = { x, y };
}

void PainterCanvas::lineTo(int x, int y)
{
    const Point from = d->state.penPosition;
    d->state.penPosition = { x, y };
    const QPen pen = toQPen(d->state.pen);
    if (pen.style() == Qt::NoPen)
        return;
    d->painter->setPen(pen);
    d->painter->drawLine(QPoint(from.x, from.y), QPoint(x, y));
}

void PainterCanvas::polyline(const std::vector<Point> &points)
{
    if (points.size() < 2)
        return;
    for (std::size_t i = 1; i < points.size(); ++i) {
        moveTo(points[i - 1].x, points[i - 1].y);
        lineTo(points[i].x, points[i].y);
    }
}

void PainterCanvas::rectangle(const Rect &rect)
{
    if (rect.isEmpty())
        return;
    fillRect(rect);
    const Pen &pen = d->state.pen;
    if (pen.style == PenStyle::Clear || pen.color == clNone)
        return;
    if (pen.width <= 1) {
        d->painter->setPen(toQPen(pen));
        d->painter->setBrush(Qt::NoBrush);
        d->painter->drawRect(QRect(rect.left, rect.top, rect.width() - 1, rect.height() - 1));
        return;
    }
    // Wide outlines: inside the rectangle for an inside-frame pen, centred on its edges else.
    const int w = pen.width;
    const Rect outer = pen.style == PenStyle::InsideFrame
        ? rect
        : Rect { rect.left - w / 2, rect.top - w / 2, rect.right - 1 + (w + 1) / 2,
              rect.bottom - 1 + (w + 1) / 2 };
    const QColor color = toQColor(pen.color);
    d->painter->fillRect(QRect(outer.left, outer.top, outer.width(), w), color);
    d->painter->fillRect(QRect(outer.left, outer.bottom - w, outer.width(), w), color);
    d->painter->fillRect(QRect(outer.left, outer.top, w, outer.height()), color);
    d->painter->fillRect(QRect(outer.right - w, outer.top, w, outer.height()), color);
}

void PainterCanvas::polygon(const std::vector<Point> &points)
{
    if (points.size() < 3)
        return;
    QPolygon polygon;
    for (const Point &p : points)
        polygon << QPoint(p.x, p.y);
    const Brush &brush = d->state.brush;
    if (brush.style == BrushStyle::Solid && brush.color != clNone)
        d->painter->setBrush(toQColor(brush.color));
    else
        d->painter->setBrush(Qt::NoBrush);
    d->painter->setPen(toQPen(d->state.pen));
    d->painter->drawPolygon(polygon);
}

void PainterCanvas::fillRect(const Rect &rect)
{
    const Brush &brush = d->state.brush;
    if (brush.style != BrushStyle::Solid || brush.color == clNone || rect.isEmpty())
        return;
    d->painter->fillRect(toQRect(rect), toQColor(brush.color));
}

void PainterCanvas::frameRect(const Rect &rect)
{
    const Brush &brush = d->state.brush;
    if (brush.style != BrushStyle::Solid || brush.color == clNone || rect.isEmpty())
        return;
    const QColor color = toQColor(brush.color);
    d->painter->fillRect(QRect(rect.left, rect.top, rect.width(), 1), color);
    d->painter->fillRect(QRect(rect.left, rect.bottom - 1, rect.width(), 1), color);
    d->painter->fillRect(QRect(rect.left, rect.top, 1, rect.height()), color);
    d->painter->fillRect(QRect(rect.right - 1, rect.top, 1, rect.height()), color);
}

void PainterCanvas::drawBitmap(int x, int y, const Bitmap &bitmap)
{
    if (!bitmap.isEmpty())
        d->painter->drawImage(QPoint(x, y), BitmapAccess::image(bitmap));
}

void PainterCanvas::stretchBitmap(const Rect &target, const Bitmap &bitmap)
{
    if (!bitmap.isEmpty() && !target.isEmpty())
        d->painter->drawImage(toQRect(target), BitmapAccess::image(bitmap));
}

void PainterCanvas::drawBitmapPart(const Rect &target, const Bitmap &bitmap, const Rect &source)
{
    if (!bitmap.isEmpty() && !target.isEmpty() && !source.isEmpty())
        d->painter->drawImage(toQRect(target), BitmapAccess::image(bitmap), toQRect(source));
}

void PainterCanvas::drawPicture(int x, int y, const RecordedPicture &picture)
{
    stretchPicture(Rect::fromSize(x, y, picture.width(), picture.height()), picture);
}

void PainterCanvas::stretchPicture(const Rect &target, const RecordedPicture &picture)
{
    const QPicture *recorded = RecordedPictureAccess::picture(picture);
    if (recorded == nullptr || picture.width() <= 0 || picture.height() <= 0 || target.isEmpty())
        return;
    // Qt scales a replay by the target device's resolution against the picture's 96 pixels per
    // inch; that is undone, so that one recorded unit is one logical unit of this canvas.
    const QPaintDevice *device = d->painter->device();
    const double undoX = double(recorded->logicalDpiX()) / device->logicalDpiX();
    const double undoY = double(recorded->logicalDpiY()) / device->logicalDpiY();
    d->painter->save();
    d->painter->translate(target.left, target.top);
    d->painter->scale(
        double(target.width()) / picture.width(), double(target.height()) / picture.height());
    d->painter->setClipRect(QRect(0, 0, picture.width(), picture.height()), Qt::IntersectClip);
    d->painter->scale(undoX, undoY);
    const_cast<QPicture *>(recorded)->play(d->painter);
    d->painter->restore();
    d->painterFontValid = false;
}

void PainterCanvas::setClipRect(const Rect &rect)
{
    d->state.deviceClip = d->state.mapping.toDevice(rect);
    d->applyClip();
}

void PainterCanvas::intersectClipRect(const Rect &rect)
{
    const Rect device = d->state.mapping.toDevice(rect);
    d->state.deviceClip = d->state.deviceClip ? d->state.deviceClip->intersected(device) : device;
    d->applyClip();
}

void PainterCanvas::removeClip()
{
    d->state.deviceClip.reset();
    d->applyClip();
}

Rect PainterCanvas::clipBounds() const
{
    const Rect area = d->deviceArea();
    const Rect device = d->state.deviceClip ? d->state.deviceClip->intersected(area) : area;
    return d->state.mapping.toLogical(device);
}

void PainterCanvas::setMappingText(Point viewportOrigin)
{
    d->state.mapping = Mapping {};
    d->state.mapping.viewportOrigin = viewportOrigin;
    d->applyTransform();
}

void PainterCanvas::setMappingAnisotropic(
    Size windowExtent, Size viewportExtent, Point viewportOrigin)
{
    if (windowExtent.width == 0 || windowExtent.height == 0 || viewportExtent.width == 0
        || viewportExtent.height == 0)
        return;
    d->state.mapping = { true, windowExtent, viewportExtent, viewportOrigin };
    d->applyTransform();
}

Point PainterCanvas::logicalToDevice(Point logical) const
{
    return d->state.mapping.toDevice(logical);
}

void PainterCanvas::save()
{
    d->saved.push_back(d->state);
    d->painter->save();
}

void PainterCanvas::restore()
{
    if (d->saved.empty())
        return;
    d->state = d->saved.back();
    d->saved.pop_back();
    d->painter->restore();
    d->painterFontValid = false;
    d->refreshFont();
}
