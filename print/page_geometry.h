#pragma once

// What page formatting reads of the printer, all in device pixels of the printer.
struct PrinterGeometry
{
    int ppiX = 0; // LOGPIXELSX
    int ppiY = 0; // LOGPIXELSY
    int offsetX = 0; // left edge of the printable area on the sheet (PHYSICALOFFSETX)
    int offsetY = 0; // top edge of the printable area on the sheet (PHYSICALOFFSETY)
    int paperWidth = 0; // PHYSICALWIDTH
    int paperHeight = 0; // PHYSICALHEIGHT
    int pageWidth = 0; // width of the printable area
    int pageHeight = 0; // height of the printable area
};

// Page margins in whole millimetres, measured from the edges of the sheet.
struct MarginsMM
{
    int left = 20;
    int right = 20;
    int top = 20;
    int bottom = 20;
};

// The text area inside the printable area, device pixels, each inset never negative:
//
//   printable area (0, 0) ............................ (pageWidth, pageHeight)
//     |<-ContentLeft->|<----- width ----->|<-ContentRight->|
//   ContentTop above and ContentBottom below the text area's `height`.
//
// MirroredLeft is the left inset of even pages when margins are mirrored.
struct TextAreaGeometry
{
    int ContentLeft = 0;
    int ContentTop = 0;
    int ContentRight = 0;
    int ContentBottom = 0;
    int MirroredLeft = 0;
    int width = 0; // pageWidth - ContentLeft - ContentRight (may be zero or negative)
    int height = 0; // pageHeight - ContentTop - ContentBottom (may be zero or negative)
};

// A length of `mm` millimetres in device pixels at `ppi` (mm x ppi / 25.4, rounded).
int millimetresToDevice(int mm, int ppi);

// The text area for the margins; a margin smaller than the unprintable border puts the text at
// the edge of the printable area. Margins are not validated: too large ones give a degenerate
// area.
TextAreaGeometry computeTextArea(const PrinterGeometry &printer, const MarginsMM &margins);
