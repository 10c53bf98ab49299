// Typing a pedigree into the grid on screen, key event by key event, the way a breeder types band
// numbers off the rings: 15 characters and Enter per cell. Each keystroke is timed from the key
// press until its repaint has been done (the posted paint events processed), and the worst one is
// reported: it has to stay under one frame (16 ms). The worst keystroke is given in wall-clock
// time and in this thread's processor time; on a busy machine the first also counts the time the
// program waited for a processor.
//
// The band numbers are made once from a fixed seed; after typing, the grid's cells are checked
// against the capitals of what was typed, so a fast wrong answer fails.

#include "grid/edit_grid_widget.h"
#include "grid/pedigree_grid.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int bandLength = 15;

// Lower-case band numbers of 15 characters: two letters, a year, a ring number.
std::vector<std::string> typedBands(int count)
{
    std::mt19937 random(20261209);
    std::vector<std::string> bands;
    bands.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        std::string band;
        band += char('a' + random() % 26);
        band += char('a' + random() % 26);
        band += '-';
        band += std::to_string(2000 + random() % 26);
        band += '-';
        while (band.size() < bandLength)
            band += char('0' + random() % 10);
        bands.push_back(band);
    }
    return bands;
}

std::string capitals(std::string text)
{
    for (char &c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The pedigree grid in a shown, active window with the main window's editor kind.
struct ShownGrid
{
    ShownGrid()
    {
        grid.resize(475, 425);
        configurePedigreeGrid(grid.model());
        grid.controller().OnGetEditorType
            = [](TEditGrid *, int, int, TEditorType &kind) { kind = edCapital; };
        grid.controller().OnCellValidate
            = [this](TEditGrid *, int, int, std::string &, bool &) { ++validations; };
        grid.show();
        shown = QTest::qWaitForWindowActive(&grid);
        grid.setFocus();
        QApplication::processEvents();
    }

    TEditGridWidget grid;
    bool shown = false;
    int validations = 0;
};

struct KeystrokeTimes
{
    long long count = 0;
    double worstMilliseconds
        = 0; // wall clock: includes waiting for the processor on a busy machine
    double worstCpuMilliseconds = 0; // the processor time this thread spent on the keystroke
};

double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One key: press and release to the focused widget, then the repaints it caused.
void strike(QChar character, int key, KeystrokeTimes &times)
{
    const double cpuStart = threadCpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    QWidget *target = QApplication::focusWidget();
    if (key)
        QTest::keyClick(target, Qt::Key(key));
    else
        QTest::keyClick(target, character.toLatin1());
    QApplication::processEvents();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.worstMilliseconds = std::max(times.worstMilliseconds, took.count());
    times.worstCpuMilliseconds
        = std::max(times.worstCpuMilliseconds, threadCpuMilliseconds() - cpuStart);
    ++times.count;
}

void typeCells(const std::vector<std::string> &bands, KeystrokeTimes &times)
{
    for (const std::string &band : bands) {
        for (char c : band)
            strike(QChar(c), 0, times);
        strike({}, Qt::Key_Return, times);
    }
}

// Every typed band in capitals, in reading order from (column, row) on.
bool holdsBands(const TEditGrid &grid, int row, const std::vector<std::string> &bands)
{
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int cellRow = row + int(i / 3);
        if (grid.GetCellEx(int(i % 3), cellRow) != capitals(bands[i]))
            return false;
    }
    return true;
}

void report(benchmark::State &state, const KeystrokeTimes &times)
{
    state.counters["keystrokes"] = double(times.count);
    state.counters["keystrokes_per_second"]
        = benchmark::Counter(double(times.count), benchmark::Counter::kIsRate);
    state.counters["worst_keystroke_ms"] = times.worstMilliseconds;
    state.counters["worst_keystroke_cpu_ms"] = times.worstCpuMilliseconds;
}

// A 500-row pedigree typed into an empty grid: 1,500 cells, Enter after each (the last Enter of
// a row appends the next row).
void BM_TypePedigree500Rows(benchmark::State &state)
{
    const std::vector<std::string> bands = typedBands(1500);
    KeystrokeTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownGrid>();
        if (!shown->shown) {
            state.SkipWithError("the grid window did not become active");
            return;
        }
        state.ResumeTiming();
        typeCells(bands, times);
        state.PauseTiming();
        if (!holdsBands(shown->grid.model(), 1, bands) || shown->validations != 1500) {
            state.SkipWithError("the typed pedigree is not in the grid");
            return;
        }
        shown.reset();
        state.ResumeTiming();
    }
    report(state, times);
}
BENCHMARK(BM_TypePedigree500Rows)->Unit(benchmark::kMillisecond)->Iterations(2);

// 5,000 rows loaded, scrolled to the end; 20 more rows typed at the end, and 10 rows typed
// into rows inserted in the middle with the Insert key.
void BM_TypeWith5000RowsLoaded(benchmark::State &state)
{
    const int loadedRows = 5000;
    const std::vector<std::string> loaded = typedBands(loadedRows * 3);
    const std::vector<std::string> bands = typedBands(90);
    const std::vector<std::string> atEnd(bands.begin(), bands.begin() + 60);
    const std::vector<std::string> inMiddle(bands.begin() + 60, bands.end());
    KeystrokeTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownGrid>();
        TEditGrid &grid = shown->grid.model();
        grid.SetRowCountEx(loadedRows + 1);
        for (int i = 0; i < loadedRows * 3; ++i)
            grid.SetCellEx(i % 3, 1 + i / 3, capitals(loaded[std::size_t(i)]));
        grid.SelectRange(2, 2, loadedRows, loadedRows);
        QApplication::processEvents();
        state.ResumeTiming();

        strike({}, Qt::Key_Return, times); // the editor opens on the last cell
        strike({}, Qt::Key_Return, times); // and Enter appends a row
        typeCells(atEnd, times);
        const int middle = loadedRows / 2;
        grid.SelectRange(0, 0, middle, middle);
        for (int row = 0; row < 10; ++row)
            strike({}, Qt::Key_Insert, times);
        typeCells(inMiddle, times);

        state.PauseTiming();
        // The rows typed at the end moved down by the ten inserted in the middle.
        if (!holdsBands(grid, loadedRows + 11, atEnd) || !holdsBands(grid, middle, inMiddle)
            || grid.GetRowCountEx() != loadedRows + 1 + 21 + 10) {
            state.SkipWithError("the typed rows are not in the grid");
            return;
        }
        shown.reset();
        state.ResumeTiming();
    }
    report(state, times);
}
BENCHMARK(BM_TypeWith5000RowsLoaded)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
