#include "grid_widget_fixture.h"

#include "grid/grid_watermark.h"

#include <QImage>

#include <functional>

namespace {

std::uint32_t pixelAt(const QImage &image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return rgbColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

bool isDark(std::uint32_t rgb)
{
    return redOf(rgb) + greenOf(rgb) + blueOf(rgb) < 3 * 100;
}

// Counts the pixels of a rectangle that satisfy the test.
int countPixels(
    const QImage &image, const Rect &area, const std::function<bool(std::uint32_t)> &test)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += test(pixelAt(image, x, y)) ? 1 : 0;
    }
    return count;
}

// The cell without its right and bottom grid line.
Rect innerOf(const Rect &outer)
{
    return { outer.left, outer.top, outer.right - 1, outer.bottom - 1 };
}

Rect bottomLineOf(const Rect &outer)
{
    return { outer.left, outer.bottom - 1, outer.right, outer.bottom };
}

Rect rightLineOf(const Rect &outer)
{
    return { outer.right - 1, outer.top, outer.right, outer.bottom - 1 };
}

} // namespace

class GridPaintingTest : public GridWidgetTest
{
protected:
    void fillEmptyRows(int count)
    {
        fillRows(std::vector<std::vector<std::string>>(std::size_t(count), { "", "", "" }));
    }
    std::function<bool(std::uint32_t)> is(std::uint32_t rgb) const
    {
        return [rgb](std::uint32_t pixel) { return pixel == rgb; };
    }

    const std::uint32_t window = colorToRgb(clWindow);
    const std::uint32_t pink = colorToRgb(watermarkPink);
};

TEST_F(GridPaintingTest, HeaderCellsAreGreyWithMidGreyLinesTextAndNoWatermark)
{
    fillEmptyRows(3);
    const QImage image = grabViewport();
    const std::uint32_t face = colorToRgb(clBtnFace);
    for (int column = 0; column < 3; ++column) {
        const Rect outer = grid->cellRect(column, 0);
        const Rect inner = innerOf(outer);
        const Rect text { inner.left + 2, inner.top + 2, inner.left + 40, inner.bottom };
        const Rect beyondText { inner.left + 120, inner.top, inner.right, inner.bottom };
        EXPECT_EQ(
            countPixels(image, beyondText, is(face)), beyondText.width() * beyondText.height());
        EXPECT_GT(countPixels(image, text, isDark), 10) << "header text of column " << column;
        EXPECT_EQ(countPixels(image, inner, is(pink)), 0);
        EXPECT_EQ(countPixels(image, bottomLineOf(outer), is(clGray)), outer.width());
        EXPECT_EQ(countPixels(image, rightLineOf(outer), is(clGray)), outer.height() - 1);
    }
}

TEST_F(GridPaintingTest, EmptyDataCellsShowOnlyTheWatermarkBetweenSilverLines)
{
    fillEmptyRows(30);
    const QImage image = grabViewport();
    int pinkPixels = 0;
    for (int row = 2; row < 15; ++row) {
        for (int column = 0; column < 3; ++column) {
            const Rect outer = grid->cellRect(column, row);
            const Rect inner = innerOf(outer);
            const int area = inner.width() * inner.height();
            const int white = countPixels(image, inner, is(window));
            const int watermark = countPixels(image, inner, is(pink));
            EXPECT_EQ(white + watermark, area) << "cell " << column << ", " << row;
            pinkPixels += watermark;
            EXPECT_EQ(countPixels(image, bottomLineOf(outer), is(clSilver)), outer.width());
            EXPECT_EQ(countPixels(image, rightLineOf(outer), is(clSilver)), outer.height() - 1);
        }
    }
    EXPECT_GT(pinkPixels, 1000);
}

TEST_F(GridPaintingTest, TheCurrentCellIsFramedFilledWithoutWatermarkAndItsTextShows)
{
    fillRows({ { "", "", "" }, { "", "", "" }, { "", "", "" }, { "", "", "" } });
    model->SetCellEx(1, 3, "WWWWWW");
    model->SelectRange(1, 1, 3, 3);
    const QImage image = grabViewport();
    const Rect outer = grid->cellRect(1, 3);
    const Rect frame[] = {
        { outer.left, outer.top, outer.right, outer.top + 2 },
        { outer.left, outer.bottom - 2, outer.right, outer.bottom },
        { outer.left, outer.top, outer.left + 2, outer.bottom },
        { outer.right - 2, outer.top, outer.right, outer.bottom },
    };
    for (const Rect &edge : frame)
        EXPECT_EQ(countPixels(image, edge, is(clBlack)), edge.width() * edge.height());
    const Rect inside { outer.left + 2, outer.top + 2, outer.right - 2, outer.bottom - 2 };
    EXPECT_EQ(countPixels(image, inside, is(pink)), 0);
    EXPECT_GT(countPixels(image, inside, is(window)), inside.width() * inside.height() / 2);
    // White highlight text would vanish on the white selection colour: the text is dark.
    EXPECT_GT(countPixels(image, inside, isDark), 20);
}

TEST_F(GridPaintingTest, TheCurrentCellUsesTheHighlightTextColourWhereItContrasts)
{
    fillRows({ { "WWWW", "", "" } });
    grid->SelectionTextColor = clRed;
    const QImage image = grabViewport();
    const Rect outer = grid->cellRect(0, 1);
    const Rect inside { outer.left + 2, outer.top + 2, outer.right - 2, outer.bottom - 2 };
    const auto reddish = [](std::uint32_t rgb) {
        return redOf(rgb) > 150 && greenOf(rgb) < 100 && blueOf(rgb) < 100;
    };
    EXPECT_GT(countPixels(image, inside, reddish), 10);
    const auto black = [](std::uint32_t rgb) { return redOf(rgb) < 100 && greenOf(rgb) < 100; };
    EXPECT_EQ(countPixels(image, inside, black), 0);
}

TEST_F(GridPaintingTest, TheWatermarkScrollsWithTheRowsAndTheHeaderStays)
{
    fillEmptyRows(100);
    const QImage before = grabViewport();
    model->SetTopRow(2);
    const QImage after = grabViewport();
    const Rect column = grid->cellRect(1, 0);
    const int pitch = model->RowHeights(1) + 1;
    int compared = 0;
    for (int x = column.left; x < column.right; ++x) {
        for (int y = 0; y < pitch; ++y)
            ASSERT_EQ(pixelAt(after, x, y), pixelAt(before, x, y)) << x << ", " << y;
        for (int y = pitch; y + pitch < after.height() - pitch; ++y, ++compared)
            ASSERT_EQ(pixelAt(after, x, y), pixelAt(before, x, y + pitch)) << x << ", " << y;
    }
    EXPECT_GT(compared, 1000);
    EXPECT_NE(before, after);
}

TEST_F(GridPaintingTest, LongTextIsClippedAtItsCellAndOnlyTheFirstLineShows)
{
    fillRows({ { "", "", "" }, { std::string(40, 'W'), "", "" }, { "", "AB\r\nCD", "" },
        { "", "AB", "" } });
    const QImage image = grabViewport();
    const Rect longCell = innerOf(grid->cellRect(0, 2));
    const Rect rightEnd { longCell.right - 12, longCell.top, longCell.right, longCell.bottom };
    EXPECT_GT(countPixels(image, rightEnd, isDark), 5);
    EXPECT_EQ(countPixels(image, innerOf(grid->cellRect(1, 2)), isDark), 0);

    // The same dark pixels in the cell with two lines and the cell with the first line only.
    const Rect twoLines = innerOf(grid->cellRect(1, 3));
    const Rect oneLine = innerOf(grid->cellRect(1, 4));
    int dark = 0;
    for (int y = 0; y < twoLines.height(); ++y) {
        for (int x = 0; x < twoLines.width(); ++x) {
            const bool a = isDark(pixelAt(image, twoLines.left + x, twoLines.top + y));
            const bool b = isDark(pixelAt(image, oneLine.left + x, oneLine.top + y));
            ASSERT_EQ(a, b) << x << ", " << y;
            dark += a ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
}

TEST_F(GridPaintingTest, TabsAreExpandedAndAmpersandsDrawnAsTheyAre)
{
    fillRows({ { "", "", "" }, { "I\tI", "I&", "" } });
    const QImage image = grabViewport();
    const Rect tabbed = innerOf(grid->cellRect(0, 2));
    // The second I stands at the first tab stop, eight character widths on.
    const Rect gap { tabbed.left + 12, tabbed.top, tabbed.left + 45, tabbed.bottom };
    const Rect stop { tabbed.left + 45, tabbed.top, tabbed.left + 80, tabbed.bottom };
    EXPECT_EQ(countPixels(image, gap, isDark), 0);
    EXPECT_GT(countPixels(image, stop, isDark), 5);
    const Rect ampersand = innerOf(grid->cellRect(1, 2));
    const Rect second { ampersand.left + 9, ampersand.top, ampersand.left + 20, ampersand.bottom };
    EXPECT_GT(countPixels(image, second, isDark), 5);
}

TEST_F(GridPaintingTest, TheWatermarkIsWhiteAndLightPinkOnly)
{
    const Bitmap &picture = gridWatermark();
    ASSERT_EQ(picture.width(), 453);
    ASSERT_EQ(picture.height(), 410);
    int pinkPixels = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const TColor pixel = picture.pixel(x, y);
            ASSERT_TRUE(pixel == clWhite || pixel == watermarkPink) << x << ", " << y;
            pinkPixels += pixel == watermarkPink ? 1 : 0;
        }
    }
    EXPECT_GT(pinkPixels, 453 * 410 / 20);
}
