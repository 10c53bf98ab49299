#pragma once

// A data object with a fixed area and a deterministic canvas, so formatting and painting can be
// checked to the pixel without a window.

#include "docview/dv_data.h"
#include "docview/dv_style.h"
#include "platform/test_canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class FixedData : public TCustomDVFormattedData
{
public:
    explicit FixedData(TDVStyle *styleSheet, int devicePpi = 96)
        : sheet(styleSheet), canvas(devicePpi, devicePpi)
    { }

    TDVStyle *sheet;
    TestCanvas canvas;
    int width = 400;
    int height = 300;
    int leftMargin = 0;
    int rightMargin = 0;
    int topMargin = 0;
    int bottomMargin = 0;
    int minTextWidth = 0;
    int maxTextWidth = 0;
    int screenPpi = 96;
    int hOffs = 0;
    int vOffs = 0;
    TColor color = clWhite;
    TDVBackground *background = nullptr;
    TDVFlags flags = { dvflTrim, dvflUseExternalLeading };
    TDVOptions options;
    int areaSizeCalls = 0;
    Canvas *external = nullptr; // measured with instead of the test canvas when set

    TDVStyle *GetDVStyle() const override { return sheet; }
    TDVOptions GetOptions() const override { return options; }
    void GetSADForFormatting(Canvas &target, TDVScreenAndDevice &sad) override
    {
        sad.ScreenPpiX = sad.ScreenPpiY = screenPpi;
        sad.DevicePpiX = target.deviceResolutionX();
        sad.DevicePpiY = target.deviceResolutionY();
    }
    TDVFlags GetFlags() const override { return flags; }
    void SetFlags(TDVFlags newFlags) override { flags = newFlags; }
    int GetLeftMargin() const override { return leftMargin; }
    int GetRightMargin() const override { return rightMargin; }
    int GetTopMargin() const override { return topMargin; }
    int GetBottomMargin() const override { return bottomMargin; }
    int GetMinTextWidth() const override { return minTextWidth; }
    int GetMaxTextWidth() const override { return maxTextWidth; }
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }
    int GetHOffs() const override { return hOffs; }
    int GetVOffs() const override { return vOffs; }
    Canvas *GetCanvas() override { return external ? external : &canvas; }
    TColor GetColor() const override { return color; }
    TDVBackground *GetBackground() const override { return background; }
    void SetDocumentAreaSize(int, int, bool) override { ++areaSizeCalls; }

    // Formats and checks the formatting invariants.
    void format()
    {
        Format_(false, true, false, 0, GetCanvas(), false, true);
        const std::string broken = checkConsistency();
        if (!broken.empty())
            ADD_FAILURE() << broken;
    }
};

inline FontSpec fontOf(const char *face, int points)
{
    FontSpec font;
    font.face = face;
    font.points = points;
    return font;
}

// A style sheet whose text style 0 is a fixed-pitch 10-point face (7 x 16 pixels per character
// on the 96-ppi test canvas: em 13, ascent 13, descent 3, external leading 1) and whose style 1
// is the same face at 12 points (em 16: width 9, ascent 16, descent 4, leading 2).
inline std::unique_ptr<TDVStyle> makeFixedPitchSheet()
{
    auto sheet = std::make_unique<TDVStyle>();
    sheet->TextStyles[0].FontName = "Courier New";
    sheet->TextStyles[1].FontName = "Courier New";
    sheet->TextStyles[1].Size = 12;
    sheet->TextStyles[1].Style = FontStyles();
    return sheet;
}
