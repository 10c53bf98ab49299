#include "panel/html_panel.h"

#include "panel/gradient.h"
#include "platform/test_canvas.h"

#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int panelWidth = 120;
constexpr int panelHeight = 100;

FontSpec baseFont()
{
    FontSpec font("Arial", 15);
    font.pixelHeight = 20; // text height 25, letters 10 wide on the test canvas
    return font;
}

class HtmlPanelTest : public testing::Test
{
protected:
    void SetUp() override
    {
        panel.resize(panelWidth, panelHeight);
        panel.SetFont(baseFont());
    }

    void paint()
    {
        canvas.clearCalls();
        panel.Paint(canvas);
    }

    // The words drawn (short plain words are drawn with textOut, at their text cell's top-left).
    std::vector<DrawCall> words() const { return canvas.callsOf(DrawCall::Kind::Text); }

    THtmlPanel panel;
    TestCanvas canvas;
};

struct BevelRow
{
    const char *name;
    TPanelBevel outer;
    TPanelBevel inner;
    int width;
    TColor borderColor;
    std::vector<std::pair<Point, TColor>> polylines; // first point and pen colour
};

class HtmlPanelBevelTest : public HtmlPanelTest, public testing::WithParamInterface<BevelRow>
{ };

TEST_P(HtmlPanelBevelTest, DrawsTheFramesOuterFirst)
{
    const BevelRow &row = GetParam();
    panel.SetColor(clAqua);
    panel.SetBevelOuter(row.outer);
    panel.SetBevelInner(row.inner);
    panel.SetBevelWidth(row.width);
    panel.SetBorderColor(row.borderColor);
    paint();
    std::vector<std::pair<Point, TColor>> polylines;
    for (const DrawCall &call : canvas.callsOf(DrawCall::Kind::Polyline))
        polylines.push_back({ call.points.front(), call.pen.color });
    EXPECT_EQ(polylines, row.polylines);
}

constexpr int w = panelWidth - 1;
constexpr int h = panelHeight - 1;

INSTANTIATE_TEST_SUITE_P(Bevels, HtmlPanelBevelTest,
    testing::Values(BevelRow { "RaisedLightAboveShadowBelow", bvRaised, bvNone, 1, clBlack,
                        { { { 0, h }, clBtnHighlight }, { { w, 0 }, clBtnShadow } } },
        BevelRow { "LoweredTwiceTwoRingsEach", bvLowered, bvLowered, 2, clBlack,
            { { { 0, h }, clBtnShadow }, { { w, 0 }, clBtnHighlight },
                { { 1, h - 1 }, clBtnShadow }, { { w - 1, 1 }, clBtnHighlight },
                { { 2, h - 2 }, clBtnShadow }, { { w - 2, 2 }, clBtnHighlight },
                { { 3, h - 3 }, clBtnShadow }, { { w - 3, 3 }, clBtnHighlight } } },
        BevelRow { "NoBorderColourAddsARingOfTheFace", bvRaised, bvNone, 1, clNone,
            { { { 0, h }, clBtnHighlight }, { { w, 0 }, clBtnShadow }, { { 1, h - 1 }, clAqua },
                { { w - 1, 1 }, clAqua } } },
        BevelRow { "SpaceIsARingOfTheFace", bvNone, bvSpace, 1, clBlack,
            { { { 0, h }, clAqua }, { { w, 0 }, clAqua } } },
        BevelRow { "NoBevels", bvNone, bvNone, 1, clBlack, {} }),
    [](const testing::TestParamInfo<BevelRow> &info) { return std::string(info.param.name); });

TEST_F(HtmlPanelTest, FillsTheWholePanelFirst)
{
    panel.SetColor(clBtnHighlight);
    paint();
    ASSERT_FALSE(canvas.calls().empty());
    const DrawCall &first = canvas.calls().front();
    EXPECT_EQ(first.kind, DrawCall::Kind::FillRect);
    EXPECT_EQ(first.rect, (Rect { 0, 0, panelWidth, panelHeight }));
    EXPECT_EQ(first.brush.color, clBtnHighlight);
}

TEST_F(HtmlPanelTest, GradientRunsDownInSixtyFourBands)
{
    panel.resize(panelWidth, 200);
    panel.SetColor(rgbColor(0, 0, 0));
    panel.SetColorTo(rgbColor(252, 126, 63));
    paint();
    const std::vector<DrawCall> fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_EQ(fills.size(), 64u);
    EXPECT_EQ(fills.front().brush.color, rgbColor(0, 0, 0));
    EXPECT_EQ(fills[21].brush.color, rgbColor(84, 42, 21));
    EXPECT_EQ(fills.back().brush.color, rgbColor(252, 126, 63));
    int top = 0;
    for (const DrawCall &fill : fills) {
        EXPECT_EQ(fill.rect.top, top);
        EXPECT_EQ(fill.rect.width(), panelWidth);
        top = fill.rect.bottom;
    }
    EXPECT_EQ(top, 200);
}

TEST_F(HtmlPanelTest, BorderWithShadowInsetsTheTextAndClipsItsArea)
{
    panel.SetBevelOuter(bvNone);
    panel.SetBorderColor(clNavy);
    panel.SetBorderWidth(3);
    panel.SetBorderShadow(true);
    panel.SetIndent(4);
    panel.SetTopIndent(5);
    panel.SetText("ab");
    paint();
    const std::vector<DrawCall> outlines = canvas.callsOf(DrawCall::Kind::Rectangle);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0].rect, (Rect { 0, 0, panelWidth - 2, panelHeight - 2 }));
    EXPECT_EQ(outlines[0].pen.color, clNavy);
    EXPECT_EQ(outlines[0].brush.style, BrushStyle::Clear);
    const std::vector<DrawCall> shadows = canvas.callsOf(DrawCall::Kind::Polyline);
    ASSERT_EQ(shadows.size(), 2u);
    EXPECT_EQ(shadows[0].pen.color, MixColors(clNavy, clBtnFace, 50));
    EXPECT_EQ(shadows[0].points.front(), (Point { panelWidth - 2, 2 }));
    EXPECT_EQ(shadows[1].pen.color, MixColors(clNavy, clBtnFace, 20));
    EXPECT_EQ(shadows[1].points.back(), (Point { 2, panelHeight - 1 }));
    const std::vector<DrawCall> clips = canvas.callsOf(DrawCall::Kind::IntersectClip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips.front().rect, (Rect { 0, 0, panelWidth - 2, panelHeight - 3 }));
    ASSERT_EQ(words().size(), 1u);
    EXPECT_EQ((Point { words()[0].x, words()[0].y }), (Point { 3 + 4 + 1, 3 + 5 }));
}

TEST_F(HtmlPanelTest, MixesColoursByPercentOfTheFirst)
{
    EXPECT_EQ(MixColors(rgbColor(200, 100, 0), rgbColor(0, 0, 100), 50), rgbColor(100, 50, 50));
    EXPECT_EQ(MixColors(rgbColor(200, 100, 0), rgbColor(0, 0, 100), 20), rgbColor(40, 20, 80));
}

TEST_F(HtmlPanelTest, BevelsDoNotPushTheTextIn)
{
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetText("ab");
    paint();
    ASSERT_EQ(words().size(), 1u);
    EXPECT_EQ((Point { words()[0].x, words()[0].y }), (Point { 1, 0 }));
}

struct VAlignRow
{
    const char *name;
    TTextVAlignment align;
    std::string text;
    int firstTop;
};

class HtmlPanelVAlignTest : public HtmlPanelTest, public testing::WithParamInterface<VAlignRow>
{ };

TEST_P(HtmlPanelVAlignTest, PlacesTheMeasuredBlock)
{
    panel.SetTextVAlign(GetParam().align);
    panel.SetText(GetParam().text);
    paint();
    ASSERT_FALSE(words().empty());
    EXPECT_EQ(words()[0].y, GetParam().firstTop);
}

INSTANTIATE_TEST_SUITE_P(Placement, HtmlPanelVAlignTest,
    testing::Values(VAlignRow { "Top", tvaTop, "ab<BR>cd", 0 },
        VAlignRow { "Centre", tvaCenter, "ab<BR>cd", 25 },
        VAlignRow { "Bottom", tvaBottom, "ab<BR>cd", 50 },
        VAlignRow { "TallTextAtTheBottomStartsAtTheTop", tvaBottom, "a<BR>b<BR>c<BR>d<BR>e", 0 },
        VAlignRow { "TallTextInTheCentreStartsAtTheTop", tvaCenter, "a<BR>b<BR>c<BR>d<BR>e", 0 }),
    [](const testing::TestParamInfo<VAlignRow> &info) { return std::string(info.param.name); });

TEST_F(HtmlPanelTest, WordsUseThePanelFontAndColour)
{
    panel.SetFontColor(clMaroon);
    panel.SetLineSpacing(3);
    panel.SetText("ab<BR>cd");
    paint();
    ASSERT_EQ(words().size(), 2u);
    EXPECT_EQ(words()[0].font, baseFont());
    EXPECT_EQ(words()[0].textColor, clMaroon);
    EXPECT_EQ(words()[1].y, 28 + 3) << "the text sits at the bottom of its 28-pixel line";
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(HtmlPanelTest, SettingTheTextRepaintsTheShownPanel)
{
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    PaintCounter counter;
    panel.installEventFilter(&counter);
    panel.SetText("ab");
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
}

TEST_F(HtmlPanelTest, BufferedAndDirectPaintingShowTheSame)
{
    panel.SetColor(clBtnHighlight);
    panel.SetFont({ "Times New Roman", 11 });
    panel.SetText("<P align=\"center\"><B>Bold</B> and plain</P>");
    const QImage buffered = panel.grab().toImage();
    panel.SetBuffered(false);
    const QImage direct = panel.grab().toImage();
    EXPECT_EQ(buffered, direct);
    const QRgb face = buffered.pixel(panelWidth / 2, panelHeight - 10);
    EXPECT_EQ(face & 0xFFFFFF, 0xFFFFFFu) << "the button highlight colour is white";
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 2; x < panelWidth - 2; ++x)
            ink += qGray(buffered.pixel(x, y)) < 128;
    EXPECT_GT(ink, 30) << "the first line shows text";
}

} // namespace
