// Formatting a report-like document of 5,000 lines of 118 characters for a 600-dpi printer,
// measured with the real report font.

#include "docview/dv_data.h"
#include "docview/dv_style.h"
#include "platform/mul_div.h"
#include "platform/pdf_printer.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

namespace {

// Formats for a printer text block 182 mm wide, as the print copy does.
class PrinterData : public TCustomDVFormattedData
{
public:
    PrinterData(TDVStyle *sheet, Canvas *canvas) : m_sheet(sheet), m_canvas(canvas) { }
    TDVStyle *GetDVStyle() const override { return m_sheet; }
    void GetSADForFormatting(Canvas &canvas, TDVScreenAndDevice &sad) override
    {
        sad.ScreenPpiX = sad.ScreenPpiY = 96;
        sad.DevicePpiX = canvas.deviceResolutionX();
        sad.DevicePpiY = canvas.deviceResolutionY();
    }
    TDVFlags GetFlags() const override { return { dvflTrim, dvflPrinting, dvflShareContents }; }
    void SetFlags(TDVFlags) override { }
    int GetWidth() const override { return MulDiv(182, 5 * 600, 127); }
    int GetHeight() const override { return MulDiv(238, 5 * 600, 127); }
    Canvas *GetCanvas() override { return m_canvas; }

private:
    TDVStyle *m_sheet;
    Canvas *m_canvas;
};

// Lines like the ancestor table's: digits, band numbers, spaces and box bytes; every 80th line
// is a centred heading in the bold style. Fixed seed.
void buildReport(TCustomDVData &data, int lines)
{
    std::mt19937 random(20261209);
    const std::string alphabet = "0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ-./\xC4\xB3\xDA\xC0\xC3\xC2";
    for (int i = 0; i < lines; ++i) {
        std::string line;
        for (int c = 0; c < 118; ++c)
            line.push_back(alphabet[random() % alphabet.size()]);
        if (i % 80 == 0)
            data.AddNL(line, 1, 1);
        else
            data.AddNL(line, 0, 0);
    }
}

void BM_FormatReport5000(benchmark::State &state)
{
    PdfPrinter printer;
    printer.setResolution(600);
    std::unique_ptr<Canvas> canvas = printer.createMeasuringCanvas();
    canvas->setFontResolution(600);
    std::unique_ptr<TDVStyle> sheet = CreateReportStyleSheet();
    PrinterData data(sheet.get(), canvas.get());
    buildReport(data, 5000);

    for (auto _ : state) {
        data.Format_(false, true, false, 0, canvas.get(), false, false);
        benchmark::DoNotOptimize(data.DocumentHeight);
    }
    // Every line must stay one unwrapped line of 118 characters.
    long characters = 0;
    for (int i = 0; i < data.DrawItems.Count(); ++i)
        characters += data.DrawItems[i].Length;
    if (data.DrawItems.Count() != 5000 || characters != 5000L * 118)
        state.SkipWithError("formatting produced wrapped or missing lines");
    state.counters["draw_items"] = data.DrawItems.Count();
    state.counters["height_px"] = data.DocumentHeight;
}
BENCHMARK(BM_FormatReport5000)->Unit(benchmark::kMillisecond);

} // namespace

// Fonts and printers need an application object; without a display the offscreen platform.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
