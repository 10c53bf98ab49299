#include "panel/gradient.h"

namespace {

constexpr int bandCount = 64;

int step(int from, int to, int index, int last)
{
    return from + (to - from) * index / last;
}

} // namespace

TColor MixColors(TColor from, TColor to, int percent)
{
    const TColor a = colorToRgb(from);
    const TColor b = colorToRgb(to);
    return rgbColor(step(redOf(b), redOf(a), percent, 100),
        step(greenOf(b), greenOf(a), percent, 100), step(blueOf(b), blueOf(a), percent, 100));
}

void FillGradient(
    Canvas &canvas, const Rect &rect, TColor from, TColor to, GradientDirection direction)
{
    if (rect.isEmpty())
        return;
    const TColor first = colorToRgb(from);
    const TColor last = colorToRgb(to);
    const bool vertical = direction == GradientDirection::TopToBottom;
    const int start = vertical ? rect.top : rect.left;
    const int span = vertical ? rect.height() : rect.width();
    for (int band = 0; band < bandCount; ++band) {
        const int bandStart = start + span * band / bandCount;
        const int bandEnd = start + span * (band + 1) / bandCount;
        if (bandEnd <= bandStart)
            continue;
        const TColor color = rgbColor(step(redOf(first), redOf(last), band, bandCount - 1),
            step(greenOf(first), greenOf(last), band, bandCount - 1),
            step(blueOf(first), blueOf(last), band, bandCount - 1));
        const Rect part = vertical ? Rect { rect.left, bandStart, rect.right, bandEnd }
                                   : Rect { bandStart, rect.top, bandEnd, rect.bottom };
        canvas.fillRect(part, color);
    }
}
