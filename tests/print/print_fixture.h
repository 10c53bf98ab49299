#pragma once

// A document, its style sheet and a print component bound to a virtual printer, for tests of
// page formatting, page drawing and printing with fixed font metrics.

#include "docview/doc_view.h"
#include "platform/test_canvas.h"
#include "platform/virtual_printer.h"
#include "print/dv_print.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using FormatEvent = std::pair<int, TDVPrintingStep>;

// "Crystal" 9 pt at 96 pixels per inch: a 12-pixel em, lines 15 pixels high (ascent 12,
// descent 3, external leading left out), characters 7 pixels wide.
inline constexpr int lineHeight96 = 15;
inline constexpr int charWidth96 = 7;
// Style 1 is 108 pt: lines of 144 + 36 = 180 pixels.
inline constexpr int tallLineHeight96 = 180;

class PrintFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        TFontInfo &normal = sheet.TextStyles.GetItem(0);
        normal.FontName = "Crystal";
        normal.Size = 9;
        normal.Color = clBlack;
        while (sheet.TextStyles.Count() < 2)
            sheet.AddTextStyle();
        TFontInfo &tall = sheet.TextStyles.GetItem(1);
        tall.FontName = "Crystal";
        tall.Size = 108;
        source.SetStyle(&sheet);
        source.LeftMargin = source.RightMargin = source.TopMargin = source.BottomMargin = 0;
        print.SetLM(0);
        print.SetRM(0);
        print.SetTM(0);
        print.SetBM(0);
        print.DocView().Flags.erase(dvflUseExternalLeading);
        print.OnFormatting = [this](TCustomDocView &sender, int page, TDVPrintingStep step) {
            EXPECT_EQ(&sender, &print.DocView());
            formatEvents.emplace_back(page, step);
        };
    }

    // A printer at 96 pixels per inch (the screen's, so no length is converted) whose whole
    // sheet is printable.
    VirtualPrinter &usePrinter96(int width, int height)
    {
        VirtualPrinterSetup setup;
        setup.resolutionX = setup.resolutionY = 96;
        setup.paperWidth = width;
        setup.paperHeight = height;
        return usePrinter(setup);
    }

    VirtualPrinter &usePrinter(const VirtualPrinterSetup &setup)
    {
        m_printer = std::make_unique<VirtualPrinter>(setup);
        print.setPrinter(m_printer.get());
        return *m_printer;
    }

    void addLines(int count, int styleNo = 0, const std::string &prefix = "line")
    {
        for (int i = 0; i < count; ++i)
            source.AddNL(prefix + std::to_string(source.GetLineCount()), styleNo, 0);
    }

    void format()
    {
        source.Format();
        print.AssignSource(source);
        print.FormatPages();
    }

    int firstDrawItem(int page) const
    {
        return print.DocView().PrintData().Pages[std::size_t(page - 1)].FirstDrawItem;
    }

    std::unique_ptr<VirtualPrinter> m_printer;
    TDVStyle sheet;
    TDocView source;
    TDVPrint print;
    std::vector<FormatEvent> formatEvents;
};

// Texts drawn on a test canvas, in order.
inline std::vector<std::string> textsDrawn(const std::vector<DrawCall> &calls)
{
    std::vector<std::string> texts;
    for (const DrawCall &call : calls)
        if (call.kind == DrawCall::Kind::Text || call.kind == DrawCall::Kind::TextWithAdvances)
            texts.push_back(call.text);
    return texts;
}
