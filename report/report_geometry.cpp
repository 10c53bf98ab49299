#include "report_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The arithmetic runs in extended precision, as the original printer arithmetic did; only the
// values the measurement stores are rounded to single precision.
using Extended = long double;

int truncateToInt(Extended value)
{
    const Extended low = std::numeric_limits<int>::min();
    const Extended high = std::numeric_limits<int>::max();
    if (!(value > low))
        return std::numeric_limits<int>::min();
    if (!(value < high))
        return std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

float inches(int pixels, int pixelsPerInch)
{
    return static_cast<float>(static_cast<Extended>(pixels) / pixelsPerInch);
}

} // namespace

int halve(int x)
{
    return x / 2 + x % 2;
}

PageMeasure measurePage(const PrinterCaps &caps)
{
    PageMeasure page;
    if (caps.logPixelsX <= 0 || caps.logPixelsY <= 0)
        return page;
    page.widthInches = inches(caps.physicalWidth, caps.logPixelsX);
    page.width = truncateToInt(page.widthInches * 24.5L);
    const float offsetInches = inches(caps.physicalOffsetX, caps.logPixelsX);
    page.offsetX = truncateToInt(offsetInches * 25.4L + 0.999L);
    page.heightInches = inches(caps.physicalHeight, caps.logPixelsY);
    page.height = truncateToInt(page.heightInches * 24.5L);
    page.offsetY = truncateToInt(
        static_cast<Extended>(caps.physicalOffsetY) / caps.logPixelsY * 25.4L + 0.999L);
    return page;
}

PageMargins fitMargins(const PageMeasure &page)
{
    constexpr int blockWidth = 182;
    constexpr int blockHeight = 238;
    const int minimumLeft = std::max(page.offsetX, 7);
    const int minimumTop = std::max(page.offsetY, 5);

    PageMargins margins;
    margins.left = std::max(halve(page.width - blockWidth), minimumLeft);
    margins.right = page.width - margins.left - blockWidth;
    margins.top = std::max(halve(page.height - blockHeight), minimumTop);
    margins.bottom = page.height - margins.top - blockHeight;
    margins.right -= 2;
    return margins;
}

bool isReportPaper(const PageMeasure &page)
{
    const bool letter = page.widthInches == 8.5f && page.heightInches == 11.0f;
    const bool a4 = page.width == 202 && page.height == 286;
    return letter || a4;
}
