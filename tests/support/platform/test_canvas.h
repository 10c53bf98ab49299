#pragma once

// A deterministic canvas for tests: fonts have fixed, documented metrics (no font files are
// read), and everything drawn is recorded as a list of DrawCall values, so layout, paging and
// painting can be checked to the pixel.
//
//   TestCanvas canvas(600, 600);                      // device pixels per inch
//   canvas.setFont({"Crystal", 9});                   // 75 px em at 600 ppi
//   TestFontMetrics m = TestCanvas::metricsFor(canvas.font(), canvas.fontResolution());
//   canvas.textOut(10, 20, "AB");
//   const DrawCall &call = canvas.calls().back();     // Kind::Text, text "AB", at (10, 20)
//
// Font rules (em = pixelHeight, or MulDiv(points, font resolution, 72); at least 1):
//   ascent = em, descent = em / 4, externalLeading = em / 8, height = ascent + descent;
//   fixed-pitch faces ("Crystal", "Courier New"): every byte is em * 3 / 5 wide;
//   other faces: ' ', 'i', 'l', 'I', '.', ',', ':', ';', '!', '\'', '|' are em / 4 wide,
//   'm', 'M', 'W', 'w' are em wide, every other byte em / 2;
//   bold adds 1 pixel to every width; FontSpec::width > 0 replaces every width by it;
//   widths are at least 1; the character extra is added per character;
//   averageCharWidth = width of 'x', underlinePosition = max(1, em / 10),
//   underlineSize = max(1, em / 20). Faces are not scaled ("Crystal" keeps its nominal em).

#include "canvas.h"

#include <memory>

// Metrics of the test fonts, also for computing expected values in tests.
struct TestFontMetrics
{
    int em = 0;
    TextMetrics metrics;
    int widths[256] = {};
};

// One recorded drawing operation. Coordinates are logical as passed; `device` holds the first
// point (x, y) or the rectangle's top-left mapped to device pixels.
struct DrawCall
{
    enum class Kind {
        Text,
        TextWithAdvances,
        DrawText,
        Line,
        Polyline,
        Rectangle,
        Polygon,
        FillRect,
        FrameRect,
        Bitmap,
        StretchBitmap,
        BitmapPart,
        Picture,
        StretchPicture,
        SetClip,
        IntersectClip,
        RemoveClip,
    };
    Kind kind = Kind::Text;
    int x = 0;
    int y = 0;
    int x2 = 0; // end point of a line
    int y2 = 0;
    Rect rect; // rectangle operations, drawText rectangle, bitmap target
    Rect source; // BitmapPart source rectangle
    std::string text; // text operations
    std::vector<int> advances; // TextWithAdvances
    std::vector<Point> points; // Polyline, Polygon
    unsigned flags = 0; // DrawText flags
    FontSpec font;
    TextMetrics metrics;
    TColor textColor = clBlack;
    Pen pen;
    Brush brush;
    int characterExtra = 0;
    CharacterMap characterMap = CharacterMap::Windows1252;
    Point device;
    Size pictureSize; // Picture: the picture's size
};

class TestCanvas : public Canvas
{
public:
    explicit TestCanvas(int resolutionX = 96, int resolutionY = 96);
    ~TestCanvas() override;

    static TestFontMetrics metricsFor(const FontSpec &font, int fontResolution);

    const std::vector<DrawCall> &calls() const;
    void clearCalls();
    // The calls of one kind, in order.
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;
    // Number of textWidth, partialWidths and fitCount queries made so far.
    int measureCount() const;

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
    int drawText(Rect &rect, std::string_view text, unsigned flags) override;
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

private:
    struct Private;
    std::unique_ptr<Private> d;
};
