// One search step through a 100,000-row pedigree that finds nothing: every cell is tested. The
// grid is filled once from a fixed seed; before timing, each set of options is checked to find a
// band planted in the last row where it belongs, so a fast wrong answer fails.

#include "grid/edit_grid.h"
#include "grid/pedigree_grid.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int pedigreeRows = 100000;
const std::string plantedBand = "zz-2026-4711";

// A band number of 8 to 18 characters: letters, a year and a ring number.
std::string bandNumber(std::mt19937 &random)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string band;
    band += letters[random() % 26];
    band += letters[random() % 26];
    band += '-';
    band += std::to_string(1990 + random() % 35);
    band += '-';
    band += std::to_string(random() % 10000000);
    return band.substr(0, 18);
}

// The pedigree grid with 100,000 data rows; about one cell in eight is empty.
TEditGrid &pedigreeGrid()
{
    static const std::unique_ptr<TEditGrid> grid = [] {
        auto made = std::make_unique<TEditGrid>();
        configurePedigreeGrid(*made);
        made->SetRowCountEx(pedigreeRows + 1);
        std::mt19937 random(20261209);
        for (int row = 1; row <= pedigreeRows; ++row) {
            for (int column = 0; column < 3; ++column) {
                const bool empty = column > 0 && random() % 8 == 0;
                made->SetCellEx(column, row, empty ? std::string() : bandNumber(random));
            }
        }
        return made;
    }();
    return *grid;
}

// Plants the band in the last row's DAM cell, checks that the search finds it there, and takes
// it out again so that the timed searches find nothing.
void checkFindsPlantedBand(TEditGrid &grid, TFindParameters parameters)
{
    const std::string kept = grid.GetCellEx(2, pedigreeRows);
    grid.SetCellEx(2, pedigreeRows, "<b>" + plantedBand + "</b>");
    const TGridCoord found = grid.Find({ -1, -1 }, "Z-2026-47", parameters);
    grid.SetCellEx(2, pedigreeRows, kept);
    if (found != TGridCoord { 2, pedigreeRows })
        std::abort();
}

void searchFindingNothing(benchmark::State &state, TFindParameters parameters)
{
    TEditGrid &grid = pedigreeGrid();
    checkFindsPlantedBand(grid, parameters);
    for (auto _ : state) {
        const TGridCoord found = grid.Find({ -1, -1 }, "Z-2026-47", parameters);
        if (found != TGridCoord { -1, -1 })
            std::abort();
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * pedigreeRows * 3);
}

// The dialog's defaults: column by column, letter case ignored.
void BM_FindNothingColumnByColumn(benchmark::State &state)
{
    searchFindingNothing(state, { fnAutoGoto });
}

void BM_FindNothingRowByRow(benchmark::State &state)
{
    searchFindingNothing(state, { fnAutoGoto, fnDirectionLeftRight });
}

void BM_FindNothingIgnoringMarkup(benchmark::State &state)
{
    searchFindingNothing(state, { fnAutoGoto, fnIgnoreHTMLTags });
}

} // namespace

BENCHMARK(BM_FindNothingColumnByColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNothingRowByRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNothingIgnoringMarkup)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
