#include "print_fixture.h"

#include "platform/zan_error.h"

#include <gtest/gtest.h>

namespace {

using Kind = DrawCall::Kind;

class DVPrintTest : public PrintFixture
{ };

TEST_F(DVPrintTest, PremiseTestFontMetrics)
{
    const TestFontMetrics m = TestCanvas::metricsFor({ "Crystal", 9 }, 96);
    ASSERT_EQ(m.metrics.height, lineHeight96);
    ASSERT_EQ(m.widths[int('A')], charWidth96);
    ASSERT_EQ(TestCanvas::metricsFor({ "Crystal", 108 }, 96).metrics.height, tallLineHeight96);
}

TEST_F(DVPrintTest, ConstructedUnformattedWithDefaults)
{
    TDVPrint fresh;
    EXPECT_FALSE(fresh.Formatted());
    EXPECT_EQ(fresh.GetPagesCount(), 0);
    EXPECT_EQ(fresh.FormatStamp(), 0);
    EXPECT_EQ(fresh.GetLM(), 20);
    EXPECT_EQ(fresh.GetRM(), 20);
    EXPECT_EQ(fresh.GetTM(), 20);
    EXPECT_EQ(fresh.GetBM(), 20);
    EXPECT_TRUE(fresh.PreviewCorrection);
    EXPECT_FALSE(fresh.GetTransparentBackground());
    EXPECT_EQ(fresh.GetColorMode(), dvcmPrinterColor);
    const TDVFlags expected { dvflTrim, dvflShareContents, dvflUseExternalLeading,
        dvflAllowCustomDrawItems, dvflPrinting, dvflRoot };
    EXPECT_EQ(fresh.DocView().Flags, expected);
    EXPECT_FALSE(fresh.DocView().isVisible());
    EXPECT_EQ(fresh.printer(), nullptr);
}

TEST_F(DVPrintTest, WithoutAPrinterNothingIsFormattedOrPrinted)
{
    addLines(3);
    source.Format();
    print.AssignSource(source);
    EXPECT_THROW(print.FormatPages(), ZanError);
    EXPECT_THROW(print.Print("pedigree.csv", 1, false), ZanError);
    EXPECT_TRUE(formatEvents.empty());
    EXPECT_FALSE(print.Formatted());
}

struct EventCase
{
    std::string name;
    int normalLines;
    int tallLinesAtEnd;
    int pageHeight;
    int pages;
    std::vector<FormatEvent> events;
};

class FormatEventsTest : public PrintFixture, public testing::WithParamInterface<EventCase>
{ };

TEST_P(FormatEventsTest, ReportsEachCompletedPage)
{
    const EventCase &c = GetParam();
    usePrinter96(400, c.pageHeight);
    addLines(c.normalLines);
    addLines(c.tallLinesAtEnd, 1, "T");
    format();
    EXPECT_EQ(print.DocView().PrintData().checkConsistency(), "");
    EXPECT_TRUE(print.Formatted());
    EXPECT_EQ(print.GetPagesCount(), c.pages);
    EXPECT_EQ(formatEvents, c.events);
}

INSTANTIATE_TEST_SUITE_P(Events, FormatEventsTest,
    testing::Values(EventCase { "EmptyDocumentOnlyStarts", 0, 0, 150, 0, { { 0, dvpsStarting } } },
        EventCase { "OnePage", 3, 0, 150, 1,
            { { 0, dvpsStarting }, { 0, dvpsProceeding }, { 1, dvpsProceeding },
                { 1, dvpsFinished } } },
        EventCase { "ExactFitStaysOnOnePage", 10, 0, 150, 1,
            { { 0, dvpsStarting }, { 0, dvpsProceeding }, { 1, dvpsProceeding },
                { 1, dvpsFinished } } },
        EventCase { "OneLineMoreStartsPageTwo", 11, 0, 150, 2,
            { { 0, dvpsStarting }, { 0, dvpsProceeding }, { 1, dvpsProceeding },
                { 2, dvpsProceeding }, { 2, dvpsFinished } } },
        EventCase { "TallLastLineHasNoPageEvent", 3, 1, 150, 2,
            { { 0, dvpsStarting }, { 0, dvpsProceeding }, { 1, dvpsProceeding },
                { 2, dvpsFinished } } }),
    [](const testing::TestParamInfo<EventCase> &info) { return info.param.name; });

TEST_F(DVPrintTest, PageBreakBeforeFirstItemStartsNoEmptyPage)
{
    usePrinter96(400, 150);
    addLines(3);
    source.SetPageBreaksBeforeItems(0, true);
    format();
    EXPECT_EQ(print.GetPagesCount(), 1);
}

TEST_F(DVPrintTest, TwoPageBreaksInARowEachStartAPage)
{
    usePrinter96(400, 150);
    addLines(3);
    source.SetPageBreaksBeforeItems(1, true);
    source.SetPageBreaksBeforeItems(2, true);
    format();
    ASSERT_EQ(print.GetPagesCount(), 3);
    EXPECT_EQ(firstDrawItem(2), 1);
    EXPECT_EQ(firstDrawItem(3), 2);
}

TEST_F(DVPrintTest, TallLineStaysAloneAndNextLineStartsAPage)
{
    usePrinter96(400, 150);
    addLines(2);
    addLines(1, 1, "T");
    addLines(2);
    format();
    ASSERT_EQ(print.GetPagesCount(), 3);
    EXPECT_EQ(firstDrawItem(2), 2);
    EXPECT_EQ(firstDrawItem(3), 3);
    EXPECT_EQ(print.DocView().PrintData().Pages[2].TopY, 2 * lineHeight96 + tallLineHeight96);
}

TEST_F(DVPrintTest, FormatStampWrapsAfterTenThousandFormats)
{
    usePrinter96(400, 150);
    for (int i = 1; i < 10000; ++i)
        print.FormatPages();
    EXPECT_EQ(print.FormatStamp(), 9999);
    print.FormatPages();
    EXPECT_EQ(print.FormatStamp(), 0);
}

TEST_F(DVPrintTest, ClearForgetsFormattingButKeepsSourceItems)
{
    usePrinter96(400, 150);
    addLines(12);
    format();
    ASSERT_EQ(print.GetPagesCount(), 2);
    print.Clear();
    EXPECT_FALSE(print.Formatted());
    EXPECT_EQ(source.GetLineCount(), 12);
    EXPECT_EQ(source.GetItemText(11), "line11");
}

TEST_F(DVPrintTest, TextAreaAt600PixelsPerInchClampsToPrintableBorder)
{
    VirtualPrinterSetup setup = VirtualPrinterSetup::a4(600);
    setup.offsetX = setup.offsetY = 118; // 5 mm unprintable border on every side
    usePrinter(setup);
    print.SetLM(3); // inside the border: the text starts at the printable area's edge
    print.SetRM(20);
    print.SetTM(20);
    print.SetBM(20);
    source.TopMargin = 5;
    addLines(1);
    format();
    const TPrintableDVData &data = print.DocView().PrintData();
    EXPECT_EQ(data.ContentLeft, 0);
    EXPECT_EQ(data.ContentTop, 472 - 118);
    EXPECT_EQ(data.ContentRight, 472 - 118);
    EXPECT_EQ(data.MirroredLeft, 472 - 118);
    EXPECT_EQ(data.DocTopMarginDev, 31); // 5 screen pixels = 31.25 device pixels
    EXPECT_EQ(print.DocView().ClientWidth(), 4958 - 2 * 118 - (472 - 118));
    EXPECT_EQ(print.DocView().ClientHeight(), 7017 - 2 * 118 - 2 * (472 - 118));
    // The printable area at its true size on a 96-dpi screen.
    EXPECT_EQ(print.GetPreview100PercentWidth(), MulDiv(4958 - 236, 96, 600));
    EXPECT_EQ(print.GetPreview100PercentHeight(), MulDiv(7017 - 236, 96, 600));
}

TEST_F(DVPrintTest, DrawsPageTextBelowMarginsInDevicePixels)
{
    usePrinter(VirtualPrinterSetup::a4(600));
    print.SetLM(20);
    print.SetTM(20);
    source.TopMargin = 5;
    source.LeftMargin = 5;
    addLines(2);
    format();
    TestCanvas canvas(600, 600);
    print.DocView().DrawPage(1, canvas, false, false);
    const std::vector<DrawCall> texts = canvas.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    // 20 mm = 472 device pixels; the document's 5 screen-pixel margins are 31 device pixels.
    EXPECT_EQ(texts[0].text, "line0");
    EXPECT_EQ(texts[0].x, 472 + 31);
    EXPECT_EQ(texts[0].y, 472 + 31);
    const int line600 = TestCanvas::metricsFor({ "Crystal", 9 }, 600).metrics.height;
    EXPECT_EQ(texts[1].y, 472 + 31 + line600);
}

TEST_F(DVPrintTest, SecondPageStartsAtTopOfTextArea)
{
    usePrinter96(400, 150);
    addLines(15);
    format();
    ASSERT_EQ(print.GetPagesCount(), 2);
    TestCanvas canvas;
    print.DocView().DrawPage(2, canvas, false, false);
    const std::vector<DrawCall> texts = canvas.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].text, "line10");
    EXPECT_EQ(texts[0].y, 0);
    EXPECT_EQ(texts[4].y, 4 * lineHeight96);
}

TEST_F(DVPrintTest, MirroredMarginsShiftEvenPages)
{
    VirtualPrinterSetup setup;
    setup.resolutionX = setup.resolutionY = 254; // 10 pixels per millimetre
    setup.paperWidth = 2000;
    setup.paperHeight = 600;
    usePrinter(setup);
    print.SetLM(30);
    print.SetRM(10);
    print.MirrorMargins = true;
    source.AddNL("a", 0, 0);
    source.AddNL("b", 0, 0);
    source.SetPageBreaksBeforeItems(1, true);
    format();
    ASSERT_EQ(print.GetPagesCount(), 2);
    const TPrintableDVData &data = print.DocView().PrintData();
    EXPECT_EQ(data.GetPrintableAreaLeft(1), 300);
    EXPECT_EQ(data.GetPrintableAreaLeft(2), 100);
    for (int page : { 1, 2 }) {
        TestCanvas canvas(254, 254);
        print.DocView().DrawPage(page, canvas, false, false);
        const std::vector<DrawCall> texts = canvas.callsOf(Kind::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].x, page == 1 ? 300 : 100) << "page " << page;
    }
}

TEST_F(DVPrintTest, PageOutsideRangeDrawsNothing)
{
    usePrinter96(400, 150);
    addLines(3);
    format();
    for (int page : { 0, 2, -1 }) {
        TestCanvas canvas;
        print.DocView().DrawPage(page, canvas, false, false);
        EXPECT_TRUE(canvas.calls().empty()) << "page " << page;
    }
}

TEST_F(DVPrintTest, MissingStyleSheetRaisesBeforeDrawing)
{
    usePrinter96(400, 150);
    addLines(3);
    format();
    print.DocView().SetStyle(nullptr);
    TestCanvas canvas;
    try {
        print.DocView().DrawPage(1, canvas, false, false);
        FAIL() << "expected EDocViewError";
    } catch (const EDocViewError &error) {
        EXPECT_STREQ(error.what(), "Style of printable TDocView component is not assigned");
    }
    EXPECT_TRUE(canvas.calls().empty());
    EXPECT_EQ(print.DocView().PrintData().CurrentPage(), 0);
}

struct BackgroundCase
{
    std::string name;
    bool transparent;
    TColor viewColor;
    bool filled;
};

class PageBackgroundTest : public PrintFixture, public testing::WithParamInterface<BackgroundCase>
{ };

TEST_P(PageBackgroundTest, FillsTextAreaWithDocumentColour)
{
    const BackgroundCase &c = GetParam();
    usePrinter96(400, 150);
    print.SetLM(0);
    source.Color = c.viewColor;
    print.SetTransparentBackground(c.transparent);
    addLines(1);
    format();
    TestCanvas canvas;
    print.DocView().DrawPage(1, canvas, false, false);
    const std::vector<DrawCall> fills = canvas.callsOf(Kind::FillRect);
    if (!c.filled) {
        EXPECT_TRUE(fills.empty());
        return;
    }
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (Rect { 0, 0, 400, 150 }));
    const TColor documentColour = c.viewColor == clNone ? sheet.Color : c.viewColor;
    EXPECT_EQ(fills[0].brush.color, DV_GetBackColor(documentColour, dvcmPrinterColor));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, PageBackgroundTest,
    testing::Values(BackgroundCase { "TransparentNotFilled", true, clWhite, false },
        BackgroundCase { "WhiteFilledWhite", false, clWhite, true },
        BackgroundCase { "NoViewColourTakesSheetColour", false, clNone, true }),
    [](const testing::TestParamInfo<BackgroundCase> &info) { return info.param.name; });

TEST_F(DVPrintTest, TiledAndScrolledBackgroundPrintsTiled)
{
    usePrinter96(400, 150);
    source.SetBackgroundBitmap(Bitmap(16, 16, clRed));
    source.SetBackgroundStyle(bsTiledAndScrolled);
    addLines(1);
    format();
    TestCanvas canvas;
    print.DocView().DrawPage(1, canvas, false, false);
    EXPECT_EQ(print.DocView().GetBackgroundStyle(), bsTiled);
    EXPECT_EQ(source.GetBackgroundStyle(), bsTiledAndScrolled);
    // One transfer of the page background bitmap, the size of the text area.
    const std::vector<DrawCall> pictures = canvas.callsOf(Kind::StretchBitmap);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].rect, (Rect { 0, 0, 400, 150 }));
}

TEST_F(DVPrintTest, HooksGetPageAndTextAreaAndClipMarginsClips)
{
    VirtualPrinterSetup setup;
    setup.resolutionX = setup.resolutionY = 254;
    setup.paperWidth = 1000;
    setup.paperHeight = 800;
    usePrinter(setup);
    print.SetLM(10);
    print.SetRM(20);
    print.SetTM(5);
    print.SetBM(15);
    print.ClipMargins = true;
    std::vector<std::string> hooks;
    print.OnPagePrepaint = [&](TCustomDVPrint &sender, int page, Canvas &, bool preview,
                               const Rect &pageRect, const Rect &area) {
        EXPECT_EQ(&sender, &print);
        EXPECT_EQ(page, 1);
        EXPECT_FALSE(preview);
        EXPECT_EQ(pageRect, (Rect { 0, 0, 1000, 800 }));
        EXPECT_EQ(area, (Rect { 100, 50, 800, 650 }));
        hooks.push_back("pre");
    };
    print.OnPagePostpaint = [&](TCustomDVPrint &, int, Canvas &, bool, const Rect &, const Rect &) {
        hooks.push_back("post");
    };
    addLines(1);
    format();
    TestCanvas canvas(254, 254);
    print.DocView().DrawPage(1, canvas, false, false);
    EXPECT_EQ(hooks, (std::vector<std::string> { "pre", "post" }));
    const std::vector<DrawCall> clips = canvas.callsOf(Kind::IntersectClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect { 100, 50, 800, 650 }));
}

TEST_F(DVPrintTest, ClipOfOnePageDoesNotNarrowTheNextPrintedPage)
{
    VirtualPrinterSetup setup;
    setup.resolutionX = setup.resolutionY = 254;
    setup.paperWidth = 1000;
    setup.paperHeight = 300;
    usePrinter(setup);
    print.SetLM(30);
    print.SetRM(10);
    print.MirrorMargins = true;
    print.ClipMargins = true;
    std::vector<Rect> clips;
    std::vector<Rect> areas;
    print.OnPagePostpaint
        = [&](TCustomDVPrint &, int, Canvas &canvas, bool, const Rect &, const Rect &area) {
              clips.push_back(canvas.clipBounds());
              areas.push_back(area);
          };
    source.AddNL("a", 0, 0);
    source.AddNL("b", 0, 0);
    source.SetPageBreaksBeforeItems(1, true);
    format();
    print.Print("t", 1, false);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(areas[1], (Rect { 100, 0, 700, 300 }));
    EXPECT_EQ(clips, areas);
}

TEST_F(DVPrintTest, BreakItemPrintsAcrossTextArea)
{
    usePrinter96(400, 150);
    print.SetLM(0);
    addLines(1);
    source.AddBreak();
    format();
    TestCanvas canvas;
    print.DocView().DrawPage(1, canvas, false, false);
    const std::vector<DrawCall> lines = canvas.callsOf(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    // At 96 dpi the rule is inset 5 pixels from both ends of the 400-pixel text area.
    EXPECT_EQ(lines[0].x, 5);
    EXPECT_EQ(lines[0].x2, 395);
}

TEST_F(DVPrintTest, PrintSendsEveryPageWithEvents)
{
    VirtualPrinter &printer = usePrinter96(400, 150);
    addLines(25);
    format();
    ASSERT_EQ(print.GetPagesCount(), 3);
    std::vector<FormatEvent> events;
    print.OnSendingToPrinter = [&](TCustomDocView &sender, int page, TDVPrintingStep step) {
        EXPECT_EQ(&sender, &print.DocView());
        events.emplace_back(page, step);
    };
    print.Print("pedigree.csv", 1, false);
    const std::vector<FormatEvent> expected { { 0, dvpsStarting }, { 1, dvpsProceeding },
        { 2, dvpsProceeding }, { 3, dvpsProceeding }, { 0, dvpsFinished } };
    EXPECT_EQ(events, expected);
    ASSERT_EQ(printer.jobs().size(), 1u);
    const VirtualPrintJob &job = printer.jobs()[0];
    EXPECT_EQ(job.title, "pedigree.csv");
    EXPECT_TRUE(job.finished);
    ASSERT_EQ(job.pages.size(), 3u);
    EXPECT_EQ(textsDrawn(job.pages[0]).size(), 10u);
    EXPECT_EQ(textsDrawn(job.pages[2]),
        (std::vector<std::string> { "line20", "line21", "line22", "line23", "line24" }));
}

TEST_F(DVPrintTest, PrintWithoutStyleAbortsJobAndRaises)
{
    VirtualPrinter &printer = usePrinter96(400, 150);
    addLines(3);
    format();
    print.DocView().SetStyle(nullptr);
    EXPECT_THROW(print.Print("t", 1, false), EDocViewError);
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_FALSE(printer.jobs()[0].finished);
    EXPECT_FALSE(printer.isPrinting());
}

} // namespace
