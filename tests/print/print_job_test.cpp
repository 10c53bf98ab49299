#include "print/print_job.h"

#include "platform/virtual_printer.h"
#include "platform/zan_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Event = std::pair<int, TDVPrintingStep>;

// Records what a job drew: each page writes its number, and the copy count seen meanwhile.
struct JobRecorder
{
    explicit JobRecorder(VirtualPrinter &printer) : printer(printer) { }

    PrintPageDrawer drawer()
    {
        return [this](int page, Canvas &canvas) {
            drawn.push_back(page);
            copiesDuringJob = printer.copies();
            canvas.textOut(0, 0, std::to_string(page));
        };
    }
    PrintProgress progress()
    {
        return [this](int page, TDVPrintingStep step) { events.emplace_back(page, step); };
    }

    VirtualPrinter &printer;
    std::vector<int> drawn;
    std::vector<Event> events;
    int copiesDuringJob = -1;
};

VirtualPrinterSetup setupWithCopies(bool canCopy)
{
    VirtualPrinterSetup setup = VirtualPrinterSetup::a4(600);
    setup.canCopy = canCopy;
    return setup;
}

struct CopiesCase
{
    std::string name;
    bool printerCopies;
    int copies;
    bool collate;
    std::vector<int> drawn;
    int copiesDuringJob;
};

class PrintJobCopiesTest : public testing::TestWithParam<CopiesCase>
{ };

TEST_P(PrintJobCopiesTest, DrawsPagesInOrderWithNewPageBetween)
{
    const CopiesCase &c = GetParam();
    VirtualPrinter printer(setupWithCopies(c.printerCopies));
    printer.setCopies(7);
    JobRecorder recorder(printer);
    printPageRange(
        printer, 1, 3, "pedigree.csv", c.copies, c.collate, recorder.drawer(), recorder.progress());

    EXPECT_EQ(recorder.drawn, c.drawn);
    if (!c.drawn.empty()) {
        EXPECT_EQ(recorder.copiesDuringJob, c.copiesDuringJob);
    }
    EXPECT_EQ(printer.copies(), 7);
    ASSERT_EQ(printer.jobs().size(), 1u);
    const VirtualPrintJob &job = printer.jobs()[0];
    EXPECT_EQ(job.title, "pedigree.csv");
    EXPECT_TRUE(job.finished);
    EXPECT_FALSE(printer.isPrinting());
    if (c.drawn.empty())
        return;
    // One sheet per drawn page: no new page after the last one.
    ASSERT_EQ(job.pages.size(), c.drawn.size());
    for (std::size_t i = 0; i < c.drawn.size(); ++i) {
        ASSERT_FALSE(job.pages[i].empty());
        EXPECT_EQ(job.pages[i].back().text, std::to_string(c.drawn[i])) << "sheet " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Copies, PrintJobCopiesTest,
    testing::Values(CopiesCase { "OneCopy", false, 1, false, { 1, 2, 3 }, 1 },
        CopiesCase { "DrawnCopiesCollated", false, 2, true, { 1, 2, 3, 1, 2, 3 }, 1 },
        CopiesCase { "DrawnCopiesUncollated", false, 2, false, { 1, 1, 2, 2, 3, 3 }, 1 },
        CopiesCase { "PrinterMakesCopies", true, 3, true, { 1, 2, 3 }, 3 },
        CopiesCase { "PrinterMakesCopiesUncollated", true, 3, false, { 1, 2, 3 }, 3 },
        CopiesCase { "NoCopiesDrawsNothing", false, 0, true, {}, 1 }),
    [](const testing::TestParamInfo<CopiesCase> &info) { return info.param.name; });

TEST(PrintJob, EventsEndWithZeroNotThePageCount)
{
    VirtualPrinter printer;
    JobRecorder recorder(printer);
    printPageRange(printer, 1, 3, "t", 1, false, recorder.drawer(), recorder.progress());
    const std::vector<Event> expected { { 0, dvpsStarting }, { 1, dvpsProceeding },
        { 2, dvpsProceeding }, { 3, dvpsProceeding }, { 0, dvpsFinished } };
    EXPECT_EQ(recorder.events, expected);
}

TEST(PrintJob, ZeroPagesStillMakesAnEmptyJob)
{
    VirtualPrinter printer;
    JobRecorder recorder(printer);
    printPageRange(printer, 1, 0, "empty", 1, false, recorder.drawer(), recorder.progress());
    const std::vector<Event> expected { { 0, dvpsStarting }, { 0, dvpsFinished } };
    EXPECT_EQ(recorder.events, expected);
    EXPECT_TRUE(recorder.drawn.empty());
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_TRUE(printer.jobs()[0].finished);
}

TEST(PrintJob, FailingPageAbortsJobAndReachesCaller)
{
    VirtualPrinter printer;
    printer.setCopies(4);
    JobRecorder recorder(printer);
    const PrintPageDrawer failOnTwo = [&](int page, Canvas &canvas) {
        if (page == 2)
            throw ZanError("Style of printable TDocView component is not assigned");
        recorder.drawer()(page, canvas);
    };
    try {
        printPageRange(printer, 1, 3, "t", 1, false, failOnTwo, recorder.progress());
        FAIL() << "the page's error must reach the caller";
    } catch (const ZanError &error) {
        EXPECT_STREQ(error.what(), "Style of printable TDocView component is not assigned");
    }
    EXPECT_FALSE(printer.isPrinting());
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_FALSE(printer.jobs()[0].finished);
    EXPECT_EQ(printer.copies(), 4);
    const std::vector<Event> expected { { 0, dvpsStarting }, { 1, dvpsProceeding } };
    EXPECT_EQ(recorder.events, expected);
}

TEST(PrintJob, RefusedJobReachesCallerWithCopiesPutBack)
{
    VirtualPrinter printer;
    printer.setCopies(2);
    printer.failNextBeginDoc();
    JobRecorder recorder(printer);
    EXPECT_THROW(
        printPageRange(printer, 1, 2, "t", 1, false, recorder.drawer(), recorder.progress()),
        ZanError);
    EXPECT_TRUE(recorder.drawn.empty());
    EXPECT_EQ(printer.copies(), 2);
    EXPECT_FALSE(printer.isPrinting());
}

TEST(PrintJob, ContinuousPrintAddsNewPageBetweenPagesOnly)
{
    VirtualPrinter printer;
    JobRecorder recorder(printer);
    printer.beginDoc();
    printContinuously(printer, 3, recorder.drawer());
    EXPECT_TRUE(printer.isPrinting());
    printer.endDoc();
    EXPECT_EQ(recorder.drawn, (std::vector<int> { 1, 2, 3 }));
    ASSERT_EQ(printer.jobs().size(), 1u);
    EXPECT_EQ(printer.jobs()[0].pages.size(), 3u);
}

} // namespace
