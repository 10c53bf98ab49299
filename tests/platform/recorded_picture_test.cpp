#include "recorded_picture.h"

#include "bitmap.h"
#include "painter_canvas.h"
#include "zan_error.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// A 40 x 30 picture: a red block at (5, 5)-(15, 10) and a blue pixel row clipped at x = 20.
RecordedPicture recordSample()
{
    RecordedPicture picture;
    Canvas &canvas = picture.beginRecording(40, 30);
    canvas.fillRect({ 5, 5, 15, 10 }, clRed);
    canvas.setClipRect({ 0, 0, 20, 30 });
    canvas.fillRect({ 0, 20, 40, 21 }, clBlue);
    picture.endRecording();
    return picture;
}

TEST(RecordedPictureTest, ReplaysWhatWasDrawnAtAnyPositionAgainAndAgain)
{
    const RecordedPicture picture = recordSample();
    Bitmap target(200, 100, clWhite);
    {
        auto canvas = target.canvas();
        canvas->drawPicture(0, 0, picture);
        canvas->drawPicture(100, 50, picture);
    }
    for (const Point origin : { Point { 0, 0 }, Point { 100, 50 } }) {
        EXPECT_EQ(target.pixel(origin.x + 5, origin.y + 5), clRed);
        EXPECT_EQ(target.pixel(origin.x + 14, origin.y + 9), clRed);
        EXPECT_EQ(target.pixel(origin.x + 15, origin.y + 9), clWhite);
        EXPECT_EQ(target.pixel(origin.x + 19, origin.y + 20), clBlue);
        EXPECT_EQ(target.pixel(origin.x + 20, origin.y + 20), clWhite) << "recorded clip";
    }
}

TEST(RecordedPictureTest, ReplayKeepsTheTargetsClipAndMapping)
{
    const RecordedPicture picture = recordSample();
    Bitmap target(100, 100, clWhite);
    {
        auto canvas = target.canvas();
        canvas->setClipRect({ 0, 0, 10, 100 });
        canvas->drawPicture(0, 0, picture);
        canvas->removeClip();
        canvas->setMappingText({ 50, 50 });
        canvas->drawPicture(0, 0, picture);
    }
    EXPECT_EQ(target.pixel(9, 5), clRed);
    EXPECT_EQ(target.pixel(10, 5), clWhite) << "target clip";
    EXPECT_EQ(target.pixel(55, 55), clRed);
}

TEST(RecordedPictureTest, ReplayOnAHighResolutionDeviceKeepsTheRecordedSize)
{
    const RecordedPicture picture = recordSample();
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(23622);
    image.setDotsPerMeterY(23622);
    {
        PainterCanvas canvas(&image);
        canvas.drawPicture(0, 0, picture);
    }
    EXPECT_EQ(image.pixelColor(14, 9), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 9), QColor(Qt::white));
}

TEST(RecordedPictureTest, StretchScalesTheReplayToTheTarget)
{
    const RecordedPicture picture = recordSample();
    Bitmap target(80, 60, clWhite);
    target.canvas()->stretchPicture({ 0, 0, 80, 60 }, picture);
    EXPECT_EQ(target.pixel(10, 10), clRed);
    EXPECT_EQ(target.pixel(29, 19), clRed);
    EXPECT_EQ(target.pixel(31, 19), clWhite);
}

TEST(RecordedPictureTest, TextRecordedInPrinterUnitsReplaysAtTheScaledSize)
{
    RecordedPicture picture;
    Canvas &canvas = picture.beginRecording(50, 70);
    canvas.setMappingAnisotropic({ 5000, 7000 }, { 50, 70 }, { 0, 0 });
    canvas.setFontResolution(600);
    canvas.setFont({ "Crystal", 9 });
    canvas.setBrush({ BrushStyle::Solid, clBlack });
    const int width = canvas.textWidth(std::string(10, 'M'));
    const int height = canvas.textMetrics().height;
    canvas.textOut(1000, 1000, std::string(10, 'M'));
    picture.endRecording();

    Bitmap target(50, 70, clWhite);
    target.canvas()->drawPicture(0, 0, picture);
    // The opaque cell spans (1000, 1000)-(1000 + width, 1000 + height) printer pixels.
    EXPECT_EQ(target.pixel(10, 10), clBlack);
    EXPECT_EQ(target.pixel((1000 + width) / 100 - 1, 10), clBlack);
    EXPECT_EQ(target.pixel((1000 + width) / 100 + 1, 10), clWhite);
    EXPECT_EQ(target.pixel(10, (1000 + height) / 100 + 1), clWhite);
}

TEST(RecordedPictureTest, KeepsItsSizeAndCanBeCleared)
{
    RecordedPicture picture;
    EXPECT_TRUE(picture.isEmpty());
    picture.beginRecording(30, 20);
    EXPECT_TRUE(picture.isRecording());
    EXPECT_THROW(picture.beginRecording(1, 1), ZanError);
    picture.endRecording();
    EXPECT_FALSE(picture.isEmpty());
    EXPECT_EQ(picture.width(), 30);
    EXPECT_EQ(picture.height(), 20);
    picture.clear();
    EXPECT_TRUE(picture.isEmpty());
    Bitmap target(10, 10, clWhite);
    target.canvas()->drawPicture(0, 0, picture);
    EXPECT_EQ(target.pixel(0, 0), clWhite);
}

} // namespace
