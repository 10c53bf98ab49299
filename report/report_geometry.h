#pragma once

// The report's page geometry: the printer's physical page measured in the report's own units and
// the four page margins, in whole millimetres, that centre a 182 x 238 mm text block on it.
//
//   +---------------- paper (width W mm) ----------------+
//   |<- left ->|<------ 182 mm text block ------>|<right>|
//
// The measurements keep every stored intermediate in single precision and truncate toward zero
// when they become whole numbers, so that borderline papers come out the same on every printer.

// The printer's device capabilities, all in device pixels except the two resolutions (pixels per
// inch).
struct PrinterCaps
{
    int logPixelsX = 0;
    int logPixelsY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
};

struct PageMeasure
{
    float widthInches = 0.0f; // physical width / pixels per inch
    float heightInches = 0.0f;
    // Page width and height in "report millimetres": inches x 24.5, truncated. The factor is
    // 24.5, not 25.4, on purpose: A4 portrait comes out as 202 x 286.
    int width = 0;
    int height = 0;
    int offsetX = 0; // unprintable left border in mm, rounded up
    int offsetY = 0; // unprintable top border in mm, rounded up
};

struct PageMargins
{
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    friend bool operator==(const PageMargins &, const PageMargins &) = default;
};

// x / 2 with an odd x rounded away from zero: halve(21) = 11, halve(-3) = -2.
int halve(int x);

// Measures the page; a zero resolution measures as a page of size 0.
PageMeasure measurePage(const PrinterCaps &caps);

// Margins for a 182 x 238 mm block centred on the page, never inside the unprintable border (at
// least 7 mm left and 5 mm top), the right margin then reduced by 2 mm.
PageMargins fitMargins(const PageMeasure &page);

// True for Letter portrait (8.5 x 11.0 inches exactly) and A4 portrait (202 x 286).
bool isReportPaper(const PageMeasure &page);
