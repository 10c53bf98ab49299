// The pedigree check over 100,000 rows: a loft of 20 yearly generations with a few mistakes of
// every kind planted in it, and a single line of descent 100,000 birds deep whose oldest bird's
// sire is the one in the middle: 50,000 generations above a loop of 50,001 birds. The rows are built once from a fixed seed; the findings are checked once against the
// planted mistakes before timing, so a fast wrong answer fails.

#include "pedigree_check.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int rowCount = 100000;
constexpr int generations = 20;

std::string band(int generation, int place)
{
    return "NL-" + std::to_string(2000 + generation) + "-" + std::to_string(1000000 + place);
}

std::vector<check_row> loft()
{
    std::mt19937 random(20261209u);
    const int size = rowCount / generations;
    std::vector<check_row> rows;
    rows.reserve(rowCount);
    for (int g = 0; g < generations; ++g)
        for (int place = 0; place < size; ++place) {
            if (g == 0) {
                rows.push_back({ band(g, place), "", "" });
                continue;
            }
            const auto parent = [&](int sex) {
                const int back = (g >= 2 && random() % 5 == 0) ? 2 : 1;
                return band(g - back, 2 * static_cast<int>(random() % (size / 2)) + sex);
            };
            std::string sire = parent(0);
            rows.push_back({ band(g, place), std::move(sire), parent(1) });
        }
    // One mistake of each kind among the youngest birds: row 95000 + p is band(19, p).
    rows[99980] = { band(19, 4990), band(0, 0), band(18, 1) };
    rows[99990] = { band(0, 0), band(19, 4990), "" }; // a loop, an own row again, a young sire
    rows[99991] = { band(19, 4991), "", band(18, 0) }; // a cock as a dam
    rows[99992] = { "nl-2019-1000002", band(18, 2), band(18, 3) }; // another spelling
    rows[99993] = { band(19, 4993), band(18, 4), "NL-2020-1000005" }; // a dam born after
    rows[99994] = { band(10, 6), band(9, 6), band(9, 7) }; // an own row again
    rows[99995] = { "", band(18, 8), "" };
    rows[99996] = { "", "", "" };
    rows[99997] = { band(19, 4997), "NL-2018-10000000000009", "" };
    rows[99998] = { band(19, 4998), "NL-2018-\xE4\xB8\xAD", "" };
    return rows;
}

std::vector<check_row> deepLine()
{
    std::vector<check_row> rows;
    rows.reserve(rowCount);
    const auto bird = [](int number) {
        std::string band(1, 'B');
        band += std::to_string(number);
        return band;
    };
    for (int i = 0; i < rowCount; ++i)
        rows.push_back({ bird(i), bird(i + 1 < rowCount ? i + 1 : rowCount / 2), "" });
    return rows;
}

std::map<finding_kind, int> kinds(const pedigree_findings &checked)
{
    std::map<finding_kind, int> counts;
    for (const finding &f : checked.findings)
        ++counts[f.kind];
    return counts;
}

void CheckLoft(benchmark::State &state)
{
    const std::vector<check_row> rows = loft();
    const std::map<finding_kind, int> planted { { finding_kind::loop, 1 },
        { finding_kind::both_sexes, 1 }, { finding_kind::repeated_band, 2 },
        { finding_kind::similar_bands, 1 }, { finding_kind::parent_younger, 2 },
        { finding_kind::missing_band, 1 }, { finding_kind::empty_row, 1 },
        { finding_kind::band_too_long, 1 }, { finding_kind::no_8bit_code, 1 } };
    if (kinds(check_pedigree(rows)) != planted) {
        state.SkipWithError("the loft's findings are not the planted mistakes");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(check_pedigree(rows));
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(CheckLoft)->Unit(benchmark::kMillisecond);

void CheckDeepLoop(benchmark::State &state)
{
    const std::vector<check_row> rows = deepLine();
    const pedigree_findings checked = check_pedigree(rows);
    if (checked.findings.size() != 1 || checked.findings[0].bands.size() != rowCount / 2
        || checked.summary.deepest_generation != rowCount / 2 + 1) {
        state.SkipWithError("the deep line is not 50,000 generations above one loop");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(check_pedigree(rows));
    state.SetItemsProcessed(state.iterations() * rowCount);
}
BENCHMARK(CheckDeepLoop)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
