#pragma once

// The canvas over Qt's painting, for widget paint events and other Qt paint devices.
//
//   void PreviewWidget::paintEvent(QPaintEvent *)
//   {
//       PainterCanvas canvas(this);        // begins painting on the widget, ends when destroyed
//       canvas.fillRect({0, 0, width(), height()}, clAppWorkSpace);
//   }
//
// Text is measured from the font's own design metrics at the selected pixel size (no hinting),
// so the same font measures the same on every device and every call, and text is drawn at the
// measured positions. Printers, PDF, bitmaps and recorded pictures hand out canvases of this
// kind through their own classes.

#include "canvas.h"

#include <memory>

class QPaintDevice;
class QPainter;

class PainterCanvas : public Canvas
{
public:
    // Begins painting on the device (a widget inside its paint event, an image, a printer);
    // throws ZanError when painting cannot begin. The device's logical resolution is used.
    explicit PainterCanvas(QPaintDevice *device);
    // Draws through an active painter owned by the caller; the painter's state is saved here and
    // restored by the destructor.
    explicit PainterCanvas(QPainter *painter);
    // As above with an explicit device resolution (pixels per inch) instead of the device's.
    PainterCanvas(QPainter *painter, int resolutionX, int resolutionY);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas &) = delete;
    PainterCanvas &operator=(const PainterCanvas &) = delete;

    QPainter *painter() const;

    int deviceResolutionX() const override;
    int deviceResolutionY() const override;
    void setFontResolution(int pixelsPerInch) override;
    int fontResolution() const override;
    void setFont(const FontSpec &font) override;
    const FontSpec &font() const override;
    TextMetrics textMetrics() const override;
    int textWidth(std::string_view text) const override;
    std::vector<int> partialWidths(std::string_view text) const override;
    int fitCount(std::string_view text, int maxWidth) const override;
    void setCharacterExtra(int pixels) override;
    int characterExtra() const override;
    void setCharacterMap(CharacterMap map) override;
    CharacterMap characterMap() const override;
    void setTextColor(TColor color) override;
    TColor textColor() const override;
    void setPen(const Pen &pen) override;
    const Pen &pen() const override;
    void setBrush(const Brush &brush) override;
    const Brush &brush() const override;
    void textOut(int x, int y, std::string_view text) override;
    void textOutWithAdvances(
        int x, int y, std::string_view text, const std::vector<int> &advances) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(const std::vector<Point> &points) override;
    void rectangle(const Rect &rect) override;
    void polygon(const std::vector<Point> &points) override;
    void fillRect(const Rect &rect) override;
    using Canvas::fillRect;
    void frameRect(const Rect &rect) override;
    void drawBitmap(int x, int y, const Bitmap &bitmap) override;
    void stretchBitmap(const Rect &target, const Bitmap &bitmap) override;
    void drawBitmapPart(const Rect &target, const Bitmap &bitmap, const Rect &source) override;
    void drawPicture(int x, int y, const RecordedPicture &picture) override;
    void stretchPicture(const Rect &target, const RecordedPicture &picture) override;
    void setClipRect(const Rect &rect) override;
    void intersectClipRect(const Rect &rect) override;
    void removeClip() override;
    Rect clipBounds() const override;
    void setMappingText(Point viewportOrigin = {}) override;
    void setMappingAnisotropic(
        Size windowExtent, Size viewportExtent, Point viewportOrigin) override;
    Point logicalToDevice(Point logical) const override;
    void save() override;
    void restore() override;

protected:
    // Ends the use of the painter (restores its state) before a subclass ends the painter.
    void finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
