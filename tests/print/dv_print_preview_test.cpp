#include "print_fixture.h"

#include "platform/screen.h"
#include "print/dv_print_preview.h"
#include "print/zoom_cursors.h"

#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A4 at 600 dpi with 20 mm margins behind a preview of 400 x 500 pixels.
class PreviewTest : public PrintFixture
{
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        usePrinter(VirtualPrinterSetup::a4(600));
        print.SetLM(20);
        print.SetRM(20);
        print.SetTM(20);
        print.SetBM(20);
        preview.resize(400, 500);
        preview.show();
    }

    void formatPages(int pages)
    {
        for (int page = 0; page < pages; ++page) {
            addLines(3);
            source.SetPageBreaksBeforeItems(source.GetLineCount() - 3, true);
        }
        format();
        ASSERT_EQ(print.GetPagesCount(), pages);
    }

    void bindFullPage()
    {
        preview.SetDVPrint(&print);
        preview.SetZoomMode(dvzmFullPage);
        preview.First();
    }

    void paint()
    {
        // A grab runs a real paint event through the widget.
        (void)preview.grab();
    }

    TDVPrintPreview preview;
};

TEST_F(PreviewTest, UnboundPreviewPaintsOnlyWorkspace)
{
    TestCanvas canvas;
    preview.PaintTo(canvas);
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.calls()[0].kind, DrawCall::Kind::FillRect);
    EXPECT_EQ(canvas.calls()[0].brush.color, clAppWorkSpace);
    preview.Next();
    preview.Last();
    EXPECT_EQ(preview.PageNo(), 1);
    preview.SetPageNo(3);
    preview.Prev();
    EXPECT_EQ(preview.PageNo(), 2);
    preview.First();
    EXPECT_EQ(preview.PageNo(), 1);
}

TEST_F(PreviewTest, FullPageZoomFitsAndCentresThePage)
{
    formatPages(1);
    bindFullPage();
    const int width100 = print.GetPreview100PercentWidth();
    const int height100 = print.GetPreview100PercentHeight();
    EXPECT_EQ(width100, 793); // 4958 device pixels at 600 dpi on a 96-dpi screen
    EXPECT_EQ(height100, 1123);
    const int expected = fullPageZoomPercent(400, 500, scrollBarExtent(), width100, height100);
    EXPECT_EQ(preview.ZoomPercent(), expected);
    EXPECT_EQ(preview.ZoomedPageWidth(), MulDiv(width100, expected, 100));
    EXPECT_EQ(preview.ScrollAreaWidth(), 10);
    EXPECT_EQ(preview.ScrollAreaHeight(), 10);
    const Rect page = preview.PageRect();
    EXPECT_EQ(page.left, (preview.ClientWidth() - preview.ZoomedPageWidth()) / 2);
    EXPECT_EQ(page.top, (preview.ClientHeight() - preview.ZoomedPageHeight()) / 2);
}

TEST_F(PreviewTest, PageWidthZoomScrollsVertically)
{
    formatPages(1);
    preview.SetDVPrint(&print);
    preview.SetZoomMode(dvzmPageWidth);
    const int width100 = print.GetPreview100PercentWidth();
    EXPECT_EQ(preview.ZoomPercent(), pageWidthZoomPercent(preview.ClientWidth(), width100));
    EXPECT_EQ(preview.ScrollAreaWidth(), 10);
    EXPECT_EQ(preview.ScrollAreaHeight(), preview.ZoomedPageHeight() + 40);
}

TEST_F(PreviewTest, ClickTogglesBetweenHundredAndPreviousZoom)
{
    formatPages(1);
    bindFullPage();
    const int fullPage = preview.ZoomPercent();
    int zoomChanges = 0;
    preview.OnZoomChanged = [&](TCustomDVPrintPreview &) { ++zoomChanges; };
    EXPECT_EQ(preview.viewport()->cursor().hotSpot(), applicationCursor(crZoomIn).hotSpot());
    EXPECT_TRUE(clickZoomsIn(preview.ZoomPercent(), preview.AltZoomPercent));

    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(preview.ZoomMode(), dvzmCustom);
    EXPECT_EQ(preview.ZoomPercent(), 100);
    EXPECT_EQ(preview.AltZoomPercent, fullPage);
    EXPECT_EQ(preview.ScrollAreaWidth(), preview.ZoomedPageWidth() + 40);
    EXPECT_FALSE(clickZoomsIn(preview.ZoomPercent(), preview.AltZoomPercent));
    EXPECT_EQ(zoomChanges, 1);

    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(preview.ZoomPercent(), fullPage);
    EXPECT_EQ(zoomChanges, 2);
}

TEST_F(PreviewTest, ZoomToHundredAgainChangesNothing)
{
    formatPages(1);
    bindFullPage();
    preview.SetZoom(100);
    const int alt = preview.AltZoomPercent;
    int zoomChanges = 0;
    preview.OnZoomChanged = [&](TCustomDVPrintPreview &) { ++zoomChanges; };
    preview.SetZoomPercent(100);
    EXPECT_EQ(preview.AltZoomPercent, alt);
    EXPECT_EQ(zoomChanges, 0);
}

TEST_F(PreviewTest, NavigationStopsAtBothEnds)
{
    formatPages(3);
    bindFullPage();
    preview.Prev();
    EXPECT_EQ(preview.PageNo(), 1);
    preview.Next();
    preview.Next();
    EXPECT_EQ(preview.PageNo(), 3);
    preview.Next();
    EXPECT_EQ(preview.PageNo(), 3);
    preview.First();
    preview.Last();
    EXPECT_EQ(preview.PageNo(), 3);
}

TEST_F(PreviewTest, PagePictureRecordedOnceAndReused)
{
    formatPages(2);
    bindFullPage();
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 1);
    paint();
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 1) << "repainting replays the picture";

    preview.SetZoom(100);
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 2) << "a new size records again";
    preview.SetVScrollPos(120);
    ASSERT_GT(preview.VScrollPos(), 0);
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 2) << "scrolling replays the picture";

    preview.SetPageNo(2);
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 3) << "another page is recorded";

    print.FormatPages();
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 4) << "formatting again makes the picture stale";
}

TEST_F(PreviewTest, ResizeRecomputesFullPageZoomAndRecordsAgain)
{
    formatPages(1);
    bindFullPage();
    paint();
    const int before = preview.ZoomPercent();
    preview.resize(300, 380);
    QCoreApplication::processEvents();
    EXPECT_LT(preview.ZoomPercent(), before);
    EXPECT_EQ(preview.ZoomPercent(),
        fullPageZoomPercent(300, 380, scrollBarExtent(), print.GetPreview100PercentWidth(),
            print.GetPreview100PercentHeight()));
    paint();
    EXPECT_EQ(preview.PageImageRecordings(), 2);
}

TEST_F(PreviewTest, LargeZoomReplaysThePictureInsteadOfABitmap)
{
    formatPages(1);
    bindFullPage();
    preview.SetZoom(500);
    TestCanvas canvas;
    preview.PaintTo(canvas);
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Bitmap).size(), 0u);
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Picture).size(), 1u);
    preview.PaintTo(canvas);
    EXPECT_EQ(preview.PageImageRecordings(), 1);
}

TEST_F(PreviewTest, PageBeyondCountShowsBlankSheet)
{
    formatPages(1);
    bindFullPage();
    preview.SetPageNo(5);
    TestCanvas canvas;
    preview.PaintTo(canvas);
    EXPECT_EQ(canvas.callsOf(DrawCall::Kind::Bitmap).size(), 1u);
    EXPECT_EQ(preview.PageImageRecordings(), 1);
}

TEST_F(PreviewTest, PaintsShadowPageOutlineAndMargins)
{
    formatPages(1);
    bindFullPage();
    preview.MarginsPen.style = PenStyle::InsideFrame;
    TestCanvas canvas;
    preview.PaintTo(canvas);
    const Rect page = preview.PageRect();
    const std::vector<DrawCall> fills = canvas.callsOf(DrawCall::Kind::FillRect);
    ASSERT_GE(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, page.translated(4, 4));
    EXPECT_EQ(fills[1].brush.color, cl3DDkShadow);
    const std::vector<DrawCall> pictures = canvas.callsOf(DrawCall::Kind::Bitmap);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].x, page.left);
    EXPECT_EQ(pictures[0].y, page.top);
    const std::vector<DrawCall> rectangles = canvas.callsOf(DrawCall::Kind::Rectangle);
    ASSERT_EQ(rectangles.size(), 2u);
    EXPECT_EQ(rectangles[0].pen.color, clHighlight);
    EXPECT_EQ(rectangles[0].pen.width, 2);
    // The text area lies inside the page, 20 mm from each edge.
    const Rect margins = rectangles[1].rect;
    EXPECT_EQ(rectangles[1].pen.color, clSilver);
    EXPECT_EQ(margins.left, page.left + MulDiv(472, page.width(), 4958));
    EXPECT_EQ(margins.top, page.top + MulDiv(472, page.height(), 7017));
    EXPECT_EQ(margins.right, page.left + MulDiv(4958 - 472, page.width(), 4958));
}

TEST_F(PreviewTest, KeysScrollInPixels)
{
    formatPages(1);
    bindFullPage();
    preview.SetZoom(100);
    preview.setFocus();
    QTest::keyClick(&preview, Qt::Key_Down);
    EXPECT_EQ(preview.VScrollPos(), 1);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.VScrollPos(), 1 + preview.ClientHeight());
    QTest::keyClick(&preview, Qt::Key_Home);
    EXPECT_EQ(preview.VScrollPos(), 0);
    QTest::keyClick(&preview, Qt::Key_End);
    EXPECT_EQ(preview.VScrollPos(), preview.ScrollAreaHeight() - preview.ClientHeight());
}

TEST_F(PreviewTest, WheelScrollsByWheelStepAtHundredPercent)
{
    formatPages(1);
    bindFullPage();
    preview.WheelStep = 50;
    preview.SetZoom(100);
    ASSERT_EQ(preview.VScrollPos(), 0);
    QWheelEvent wheel(QPointF(50, 50), preview.mapToGlobal(QPointF(50, 50)), QPoint(),
        QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(preview.viewport(), &wheel);
    EXPECT_EQ(preview.VScrollPos(), 50);
}

} // namespace
