#include "painter_canvas.h"

#include "bitmap.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Draws on a white bitmap and reads pixels back.
class PainterCanvasTest : public testing::Test
{
protected:
    Bitmap m_bitmap { 60, 40, clWhite };

    template <typename Draw> void draw(Draw &&drawing)
    {
        std::unique_ptr<Canvas> canvas = m_bitmap.canvas();
        drawing(*canvas);
    }

    // Columns [left, right) x rows [top, bottom) holding a non-white pixel.
    Rect inkBounds() const
    {
        Rect bounds { m_bitmap.width(), m_bitmap.height(), 0, 0 };
        for (int y = 0; y < m_bitmap.height(); ++y) {
            for (int x = 0; x < m_bitmap.width(); ++x) {
                if (m_bitmap.pixel(x, y) == clWhite)
                    continue;
                bounds = { std::min(bounds.left, x), std::min(bounds.top, y),
                    std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1) };
            }
        }
        return bounds;
    }
};

TEST_F(PainterCanvasTest, FillRectCoversExactlyTheHalfOpenRectangle)
{
    draw([](Canvas &c) { c.fillRect({ 5, 6, 15, 10 }, clRed); });
    EXPECT_EQ(m_bitmap.pixel(5, 6), clRed);
    EXPECT_EQ(m_bitmap.pixel(14, 9), clRed);
    EXPECT_EQ(inkBounds(), (Rect { 5, 6, 15, 10 }));
}

TEST_F(PainterCanvasTest, RectangleOutlinesWithPenAndFillsWithBrush)
{
    draw([](Canvas &c) {
        c.setPen({ PenStyle::Solid, 1, clBlue });
        c.setBrush({ BrushStyle::Solid, clLime });
        c.rectangle({ 10, 10, 20, 16 });
    });
    EXPECT_EQ(inkBounds(), (Rect { 10, 10, 20, 16 }));
    EXPECT_EQ(m_bitmap.pixel(10, 10), clBlue);
    EXPECT_EQ(m_bitmap.pixel(19, 15), clBlue);
    EXPECT_EQ(m_bitmap.pixel(15, 13), clLime);
}

TEST_F(PainterCanvasTest, InsideFramePenStaysInsideTheRectangle)
{
    draw([](Canvas &c) {
        c.setPen({ PenStyle::InsideFrame, 3, clBlack });
        c.setBrush({ BrushStyle::Clear });
        c.rectangle({ 10, 10, 30, 30 });
    });
    EXPECT_EQ(inkBounds(), (Rect { 10, 10, 30, 30 }));
    EXPECT_EQ(m_bitmap.pixel(12, 20), clBlack);
    EXPECT_EQ(m_bitmap.pixel(13, 20), clWhite);
}

TEST_F(PainterCanvasTest, LineToLeavesOutTheEndPoint)
{
    draw([](Canvas &c) {
        c.setPen({ PenStyle::Solid, 1, clBlack });
        c.line(5, 5, 15, 5);
        c.line(30, 2, 30, 12);
    });
    EXPECT_EQ(m_bitmap.pixel(5, 5), clBlack);
    EXPECT_EQ(m_bitmap.pixel(14, 5), clBlack);
    EXPECT_EQ(m_bitmap.pixel(15, 5), clWhite);
    EXPECT_EQ(m_bitmap.pixel(30, 11), clBlack);
    EXPECT_EQ(m_bitmap.pixel(30, 12), clWhite);
}

TEST_F(PainterCanvasTest, ClearPenDrawsNothing)
{
    draw([](Canvas &c) {
        c.setPen({ PenStyle::Clear });
        c.line(5, 5, 15, 5);
        c.setBrush({ BrushStyle::Clear });
        c.rectangle({ 1, 1, 20, 20 });
    });
    EXPECT_TRUE(inkBounds().isEmpty());
}

TEST_F(PainterCanvasTest, ClipConfinesLaterDrawingUntilRemoved)
{
    draw([](Canvas &c) {
        c.setClipRect({ 10, 10, 20, 20 });
        c.fillRect({ 0, 0, 60, 40 }, clRed);
        c.removeClip();
        c.fillRect({ 40, 30, 42, 32 }, clBlue);
    });
    EXPECT_EQ(m_bitmap.pixel(9, 15), clWhite);
    EXPECT_EQ(m_bitmap.pixel(10, 10), clRed);
    EXPECT_EQ(m_bitmap.pixel(20, 15), clWhite);
    EXPECT_EQ(m_bitmap.pixel(41, 31), clBlue);
}

TEST_F(PainterCanvasTest, AnisotropicMappingScalesLogicalUnits)
{
    draw([](Canvas &c) {
        c.setMappingAnisotropic({ 600, 600 }, { 60, 40 }, { 0, 0 });
        c.fillRect({ 100, 150, 200, 300 }, clRed);
        EXPECT_EQ(c.logicalToDevice({ 200, 300 }), (Point { 20, 20 }));
        EXPECT_EQ(c.clipBounds(), (Rect { 0, 0, 600, 600 }));
    });
    EXPECT_EQ(inkBounds(), (Rect { 10, 10, 20, 20 }));
}

TEST_F(PainterCanvasTest, TextStaysInsideItsMeasuredCell)
{
    int width = 0;
    int height = 0;
    draw([&](Canvas &c) {
        FontSpec font { "Arial", 10 };
        font.pixelHeight = 16;
        c.setFont(font);
        c.setBrush({ BrushStyle::Clear });
        c.setTextColor(clBlack);
        c.textOut(4, 6, "Hello");
        width = c.textWidth("Hello");
        height = c.textMetrics().height;
    });
    const Rect ink = inkBounds();
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left, 4);
    EXPECT_LE(ink.right, 4 + width + 1);
    EXPECT_GE(ink.top, 6);
    EXPECT_LE(ink.bottom, 6 + height);
}

TEST_F(PainterCanvasTest, OpaqueTextFillsItsCellWithTheBrush)
{
    int width = 0;
    int height = 0;
    draw([&](Canvas &c) {
        c.setFont({ "Crystal", 9 });
        c.setBrush({ BrushStyle::Solid, clYellow });
        c.setTextColor(clBlack);
        c.textOut(2, 3, "I");
        width = c.textWidth("I");
        height = c.textMetrics().height;
    });
    EXPECT_EQ(m_bitmap.pixel(2, 3), clYellow);
    EXPECT_EQ(m_bitmap.pixel(2 + width - 1, 3 + height - 1), clYellow);
    EXPECT_EQ(m_bitmap.pixel(2 + width + 1, 3), clWhite);
}

TEST_F(PainterCanvasTest, ExplicitAdvancesPlaceEachCharacter)
{
    draw([](Canvas &c) {
        FontSpec font { "Crystal", 9 };
        font.pixelHeight = 20;
        c.setFont(font);
        c.setBrush({ BrushStyle::Clear });
        c.textOutWithAdvances(0, 0, "|||", { 25, 25, 25 });
    });
    // Three bars 25 pixels apart: ink in each 25-pixel slot, none between 50 + 12 and 60.
    auto columnHasInk = [this](int x) {
        for (int y = 0; y < m_bitmap.height(); ++y) {
            if (m_bitmap.pixel(x, y) != clWhite)
                return true;
        }
        return false;
    };
    int bars = 0;
    for (int x = 0; x < m_bitmap.width(); ++x) {
        if (columnHasInk(x) && (x == 0 || !columnHasInk(x - 1)))
            ++bars;
    }
    EXPECT_EQ(bars, 3);
    const Rect ink = inkBounds();
    EXPECT_GE(ink.right, 50);
    EXPECT_LT(ink.right, 60);
}

TEST_F(PainterCanvasTest, BitmapsAreDrawnStretchedAndTiled)
{
    Bitmap tile(4, 4, clRed);
    tile.setPixel(0, 0, clBlue);
    draw([&](Canvas &c) {
        c.drawBitmap(1, 1, tile);
        c.stretchBitmap({ 10, 0, 18, 8 }, tile);
        c.tileBitmap({ 20, 0, 30, 10 }, tile, 20, 0);
    });
    EXPECT_EQ(m_bitmap.pixel(1, 1), clBlue);
    EXPECT_EQ(m_bitmap.pixel(4, 4), clRed);
    EXPECT_EQ(m_bitmap.pixel(10, 0), clBlue);
    EXPECT_EQ(m_bitmap.pixel(17, 7), clRed);
    EXPECT_EQ(m_bitmap.pixel(24, 4), clBlue);
    EXPECT_EQ(m_bitmap.pixel(28, 8), clBlue);
    EXPECT_EQ(m_bitmap.pixel(30, 0), clWhite);
}

// A widget that paints through the canvas and remembers what the canvas saw.
class CanvasWidget : public QWidget
{
public:
    Rect clipSeen;
    int resolutionSeen = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        PainterCanvas canvas(this);
        clipSeen = canvas.clipBounds();
        resolutionSeen = canvas.deviceResolutionY();
        canvas.fillRect({ 0, 0, width(), height() }, clWindow);
    }
};

TEST(PainterCanvasWidgetTest, ClipBoundsAreTheRegionBeingPainted)
{
    CanvasWidget widget;
    widget.resize(200, 100);
    widget.show();
    for (int round = 0; round < 10 && widget.resolutionSeen == 0; ++round)
        QApplication::processEvents();
    widget.repaint(QRect(10, 20, 30, 40));
    EXPECT_EQ(widget.clipSeen, (Rect { 10, 20, 40, 60 }));
    EXPECT_EQ(widget.resolutionSeen, 96);
}

TEST(PainterCanvasDeviceTest, ReportsTheDeviceResolution)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.setDotsPerMeterX(23622); // 600 per inch
    image.setDotsPerMeterY(23622);
    PainterCanvas canvas(&image);
    EXPECT_EQ(canvas.deviceResolutionX(), 600);
    EXPECT_EQ(canvas.fontResolution(), 600);
}

} // namespace
