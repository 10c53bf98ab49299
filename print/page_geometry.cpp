#include "page_geometry.h"

#include "platform/mul_div.h"

#include <algorithm>

int millimetresToDevice(int mm, int ppi)
{
    return MulDiv(mm, 5 * ppi, 127);
}

TextAreaGeometry computeTextArea(const PrinterGeometry &printer, const MarginsMM &margins)
{
    const int unprintableRight = printer.paperWidth - printer.pageWidth - printer.offsetX;
    const int unprintableBottom = printer.paperHeight - printer.pageHeight - printer.offsetY;
    TextAreaGeometry area;
    area.ContentLeft
        = std::max(0, millimetresToDevice(margins.left, printer.ppiX) - printer.offsetX);
    area.ContentTop = std::max(0, millimetresToDevice(margins.top, printer.ppiY) - printer.offsetY);
    area.ContentRight
        = std::max(0, millimetresToDevice(margins.right, printer.ppiX) - unprintableRight);
    area.ContentBottom
        = std::max(0, millimetresToDevice(margins.bottom, printer.ppiY) - unprintableBottom);
    area.MirroredLeft
        = std::max(0, millimetresToDevice(margins.right, printer.ppiX) - printer.offsetX);
    area.width = printer.pageWidth - area.ContentLeft - area.ContentRight;
    area.height = printer.pageHeight - area.ContentTop - area.ContentBottom;
    return area;
}
