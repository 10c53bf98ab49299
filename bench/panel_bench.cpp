// Painting the About box's terms panel: the whole panel into its off-screen buffer (what every
// paint event does before copying the buffer), the widget's own paint path through grab(), and
// laying the text out alone.

#include "app/panel_texts.h"
#include "panel/html_panel.h"
#include "panel/html_text.h"
#include "platform/bitmap.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The terms text takes 17 lines in the panel: six paragraphs with blank lines between them.
constexpr int referenceLineCount = 17;

struct TermsPanel
{
    TermsPanel() { setUpTermsPanel(panel); }
    THtmlPanel panel;
};

// Dark pixels of a painted panel: the text's ink.
int inkPixels(const Bitmap &bitmap)
{
    int ink = 0;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            ink += (bitmap.pixel(x, y) & 0xFF) < 128;
    return ink;
}

// Checks once that the whole text is laid out in the reference number of lines.
bool laysOutWholeText(THtmlPanel &panel, Canvas &canvas)
{
    canvas.setFont(panel.Font());
    const HtmlTextLayout layout
        = LayoutHtmlText(canvas, panel.Text(), { 0, 0, panel.width(), panel.height() }, 0);
    const HtmlLine &last = layout.lines.back();
    return int(layout.lines.size()) == referenceLineCount
        && last.start + last.length == layout.html.size();
}

void BM_PaintTermsPanel(benchmark::State &state)
{
    TermsPanel terms;
    Bitmap buffer(terms.panel.width(), terms.panel.height());
    for (auto _ : state) {
        std::unique_ptr<Canvas> canvas = buffer.canvas();
        terms.panel.Paint(*canvas);
    }
    std::unique_ptr<Canvas> canvas = buffer.canvas();
    if (!laysOutWholeText(terms.panel, *canvas))
        state.SkipWithError("the terms text is not laid out in the reference lines");
    canvas.reset();
    const int ink = inkPixels(buffer);
    if (ink < 5000)
        state.SkipWithError("the painted panel shows too little text");
    state.counters["ink"] = ink;
}
BENCHMARK(BM_PaintTermsPanel)->Unit(benchmark::kMillisecond);

void BM_GrabTermsPanel(benchmark::State &state)
{
    TermsPanel terms;
    for (auto _ : state)
        benchmark::DoNotOptimize(terms.panel.grab());
}
BENCHMARK(BM_GrabTermsPanel)->Unit(benchmark::kMillisecond);

void BM_MeasureTermsText(benchmark::State &state)
{
    TermsPanel terms;
    Bitmap buffer(terms.panel.width(), terms.panel.height());
    std::unique_ptr<Canvas> canvas = buffer.canvas();
    canvas->setFont(terms.panel.Font());
    const Rect rect { 0, 0, terms.panel.width(), terms.panel.height() };
    int height = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(height = DrawHtmlText(*canvas, terms.panel.Text(), rect, 0, true));
    if (height >= rect.height())
        state.SkipWithError("the terms text does not fit the panel");
    state.counters["height"] = height;
}
BENCHMARK(BM_MeasureTermsText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
