#include "docview/doc_view.h"
#include "platform/test_canvas.h"
#include "platform/zan_error.h"

#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(DocViewPaintTest, WithoutAStyleSheetTheViewSaysSo)
{
    TDocView view;
    view.setObjectName("OutPut");
    view.Color = clWhite;
    TestCanvas canvas;
    view.Paint(canvas, { 0, 0, 50, 30 });
    const auto texts = canvas.callsOf(DrawCall::Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text,
        "Style is not defined\rCreate a TDVStyle object and assign it to OutPut.Style");
    EXPECT_EQ(texts[0].font.face, "MS Sans Serif");
    EXPECT_EQ(texts[0].font.points, 8);
    EXPECT_EQ(texts[0].textColor, clWindowText);
    const auto fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, (Rect { 0, 0, 50, 30 }));
    EXPECT_EQ(fills[0].brush.color, clWhite);
}

TEST(DocViewPaintTest, AnExceptionWhilePaintingIsShownNotThrown)
{
    TDVStyle sheet;
    TDocView view;
    view.SetStyle(&sheet);
    view.AddNL("text", 0, 0);
    view.Format();
    sheet.OnApplyStyle = [](TDVStyle &, Canvas &, int, TDVBiDiMode, bool &) {
        throw ZanError("font unavailable");
    };
    int paints = 0;
    view.OnPaint = [&](TCustomDocView &, Canvas &, bool prepaint) {
        EXPECT_FALSE(prepaint);
        ++paints;
    };
    TestCanvas canvas;
    EXPECT_NO_THROW(view.Paint(canvas, { 0, 0, 80, 30 }));
    const auto calls = canvas.calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Bitmap).size(), 1u);
    const DrawCall &error = calls.back();
    EXPECT_EQ(error.kind, DrawCall::Kind::Text);
    EXPECT_EQ(error.text, "Error:font unavailable");
    EXPECT_EQ(error.x, 0);
    EXPECT_EQ(error.y, 0);
    EXPECT_EQ(error.textColor, clRed);
    EXPECT_EQ(error.brush.color, clWhite);
    EXPECT_EQ(error.font.face, "Arial");
    EXPECT_EQ(paints, 1);
}

TEST(DocViewPaintTest, ClipIsPaintedThroughOneOffscreenBitmap)
{
    TDVStyle sheet;
    TDocView view;
    view.SetStyle(&sheet);
    view.Color = clYellow;
    TestCanvas canvas;
    view.Paint(canvas, { 10, 20, 60, 50 });
    const auto calls = canvas.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Bitmap);
    EXPECT_EQ(calls[0].x, 10);
    EXPECT_EQ(calls[0].y, 20);
}

TEST(DocViewTest, DestroyingTheSheetDetachesIt)
{
    TDocView view;
    {
        TDVStyle sheet;
        view.SetStyle(&sheet);
        EXPECT_EQ(view.Style(), &sheet);
    }
    EXPECT_EQ(view.Style(), nullptr);
    view.AddNL("a", 0, 0);
    EXPECT_NO_THROW(view.Format());
}

TEST(DocViewTest, FormatsForItsClientWidthAndShowsAScrollBar)
{
    TDVStyle sheet;
    TDocView view;
    view.SetStyle(&sheet);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 60; ++i)
        view.AddNL("line " + std::to_string(i), i % 3, i % 2);
    view.Format();
    EXPECT_GT(view.verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
    // Formatted again for the client width left beside the bar.
    EXPECT_EQ(view.DVData().TextWidth, view.ClientWidth() - 10);
    const int units = (view.GetDocumentHeight() + view.VSmallStep() - 1) / view.VSmallStep();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), units - view.ClientHeight() / view.VSmallStep());
}

TEST(DocViewTest, ResizingReformats)
{
    TDVStyle sheet;
    TDocView view;
    view.SetStyle(&sheet);
    view.resize(400, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.AddNL("a line that wraps when narrow", 0, 0);
    view.Format();
    EXPECT_EQ(view.DVData().DrawItems.Count(), 1);
    view.resize(100, 200);
    QCoreApplication::processEvents();
    EXPECT_GT(view.DVData().DrawItems.Count(), 1);
}

TEST(ScrollerTest, KeysAndWheelMoveByUnits)
{
    TDVStyle sheet;
    TDocView view;
    view.SetStyle(&sheet);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 200; ++i)
        view.AddNL("line", 0, 0);
    view.Format();
    const int page = view.ClientHeight() / view.VSmallStep();
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.VScrollPos(), page);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.VScrollPos(), page + 1);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.VScrollPos(), view.VScrollMax());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.VScrollPos(), 0);
    view.WheelStep = 3;
    QWheelEvent wheel(QPointF(10, 10), view.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_EQ(view.VScrollPos(), 3);
    EXPECT_EQ(view.DVData().GetVOffs(), 3 * view.VSmallStep());
}

TEST(ScrollerTest, PagesFollowTheAreaLeftBesideNewBars)
{
    TDVScroller scroller;
    scroller.resize(300, 200);
    scroller.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scroller));
    const int fullHeight = scroller.ClientHeight();
    scroller.UpdateScrollBars(1000, 500, true, true); // both bars appear
    ASSERT_LT(scroller.ClientHeight(), fullHeight);
    const int page = scroller.ClientHeight() / scroller.VSmallStep();
    EXPECT_EQ(scroller.verticalScrollBar()->pageStep(), page);
    EXPECT_EQ(scroller.VScrollMax(), 500 - page);
    EXPECT_EQ(scroller.horizontalScrollBar()->pageStep(), scroller.ClientWidth());
    EXPECT_EQ(scroller.horizontalScrollBar()->maximum(), 1000 - scroller.ClientWidth());
    scroller.SetVScrollPos(500);
    EXPECT_EQ(scroller.VScrollPos(), 500 - page);
}

struct ScrollUnitRow
{
    const char *name;
    int startStep;
    int documentHeight;
    int expectedStep;
};

class ScrollUnitTest : public testing::TestWithParam<ScrollUnitRow>
{ };

TEST_P(ScrollUnitTest, RangeStaysWithin32000Units)
{
    TDocView view;
    view.SetVSmallStep(GetParam().startStep);
    view.DVData().DocumentHeight = GetParam().documentHeight;
    view.DVData().AdjustVScrollUnits();
    EXPECT_EQ(view.VSmallStep(), GetParam().expectedStep);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScrollUnitTest,
    testing::Values(ScrollUnitRow { "SmallDocumentKeepsTen", 10, 100000, 10 },
        // 400000 / 32000 = 12, and 400000 / 12 is still above 32000.
        ScrollUnitRow { "TallDocumentGrowsTheStep", 10, 400000, 13 },
        ScrollUnitRow { "LargeStepReturnsToTen", 13, 1000, 10 },
        ScrollUnitRow { "LargeStepStaysWhenTenIsTooSmall", 13, 400000, 13 }),
    [](const testing::TestParamInfo<ScrollUnitRow> &info) { return info.param.name; });

TEST(ScrollerTest, HiddenControlTakesItsClientSizeAtOnce)
{
    TDocView view;
    view.SetScrollBarsHidden(true);
    view.SetClientSize(4299, 5622);
    EXPECT_EQ(view.ClientWidth(), 4299);
    EXPECT_EQ(view.ClientHeight(), 5622);
}

// Renders a few styled paragraphs, a rule and a centred background picture into a PNG that a
// person can look at (written to the test's working folder).
TEST(DocViewLookTest, StyledParagraphsRuleAndCentredPicture)
{
    TDVStyle sheet;
    sheet.ParaStyles[1].SpaceBefore = 6;
    TDocView view;
    view.SetStyle(&sheet);
    view.Color = clWhite;
    Bitmap picture(120, 120, clWhite);
    {
        std::unique_ptr<Canvas> canvas = picture.canvas();
        canvas->setPen({ PenStyle::Solid, 4, rgbColor(200, 220, 255) });
        canvas->setBrush({ BrushStyle::Solid, rgbColor(230, 240, 255) });
        canvas->rectangle({ 10, 10, 110, 110 });
    }
    view.SetBackgroundBitmap(picture);
    view.SetBackgroundStyle(bsCentered);
    view.resize(420, 260);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.AddNL("Heading, centred", 1, 1);
    view.AddNL(
        "Normal text in a paragraph long enough to wrap across the width of the view.", 0, 0);
    view.AddNL(" and a keyword", 3, -1);
    view.AddBreak();
    view.AddNL("Subheading after the rule", 2, 0);
    view.AddNL("Jump style text", 4, 0);
    view.Format();
    const QImage image = view.grab().toImage();
    const char *folder = std::getenv("ZAN_LOOK_DIR");
    image.save(QString::fromStdString(std::string(folder ? folder : ".") + "/docview_look.png"));
    // Heading text is blue; the rule is in text style 0's colour (black); the picture is pale.
    int blue = 0;
    int pale = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80)
                ++blue;
            if (c == QColor(230, 240, 255))
                ++pale;
        }
    }
    EXPECT_GT(blue, 20);
    EXPECT_GT(pale, 1000);
}

} // namespace
