#include "docview_test_support.h"

#include "platform/mul_div.h"
#include "platform/pdf_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A report line of 118 characters with the chart's box bytes and digits, like the ancestor
// table and the pedigree chart.
std::string reportLine(int number)
{
    std::string line = "\xDA\xC4\xC4\xC2\xC4\xC4 " + std::to_string(1000 + number) + " \xB3";
    while (line.size() < 118)
        line += (line.size() % 7 == 0) ? '\xC3' : char('A' + line.size() % 26);
    return line.substr(0, 118);
}

TEST(RealFontTest, EightyReportLinesFitA182MillimetreBlockUnwrapped)
{
    PdfPrinter printer;
    printer.setResolution(600);
    std::unique_ptr<Canvas> measuring = printer.createMeasuringCanvas();
    ASSERT_EQ(measuring->deviceResolutionX(), 600);
    measuring->setFontResolution(600);

    auto sheet = CreateReportStyleSheet();
    FixedData data(sheet.get());
    data.external = measuring.get();
    data.width = MulDiv(182, 5 * 600, 127); // 4299 device pixels
    data.flags.erase(dvflUseExternalLeading);
    for (int i = 0; i < 80; ++i)
        data.AddNL(reportLine(i), 0, 0);
    data.format();

    ASSERT_EQ(data.DrawItems.Count(), 80);
    for (int i = 0; i < 80; ++i) {
        const TDVDrawLineInfo &line = data.DrawItems[i];
        EXPECT_EQ(line.Length, 118) << "line " << i;
        EXPECT_TRUE(line.StartsLine());
        EXPECT_LE(line.Width, data.TextWidth);
    }
    // 80 lines must also fit the 238 mm height of the text block.
    EXPECT_LE(data.DocumentHeight, MulDiv(238, 5 * 600, 127));
}

} // namespace
