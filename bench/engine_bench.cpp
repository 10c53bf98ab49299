// Whole analyses as the report runs them: reset, every load_record, compute, and every bird read
// back through select_sorted. The pedigrees are built once from fixed seeds; each benchmark checks
// the results once against a reference checksum before timing, so a fast wrong answer fails.

#include "inbreed.h"
#include "pedigree_depth.h"

#include "pedigree_2048.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row
{
    std::string identification;
    std::string sire;
    std::string dam;
};

using Pedigree = std::vector<Row>;

std::string band(const char *country, int year, int number)
{
    return std::string(country) + "-" + std::to_string(year) + "-" + std::to_string(number);
}

// Seven complete generations of distinct birds: the pedigreed bird and its 126 ancestors, every
// position of the chart filled. 127 birds, so the full matrix.
Pedigree sevenGenerations()
{
    Pedigree rows;
    for (int position = 1; position < 64; ++position)
        rows.push_back({ band("NL", 2020 - position / 2, 1000000 + position),
            band("NL", 2019 - position, 1000000 + 2 * position),
            band("BE", 2019 - position, 3000000 + 2 * position + 1) });
    // Parents are named with the band scheme of their own position.
    for (Row &row : rows) {
        const int position = std::stoi(row.identification.substr(8)) - 1000000;
        const auto name = [](int p) {
            return p % 2 == 0 || p == 1 ? band("NL", 2020 - p / 2, 1000000 + p)
                                        : band("BE", 2020 - p / 2, 3000000 + p);
        };
        row.identification = name(position);
        row.sire = name(2 * position);
        row.dam = name(2 * position + 1);
    }
    return rows;
}

// A loft over 40 generations of about 51 birds each, every bird's sire and dam drawn from the one
// or two generations before it: 2048 birds, inbred in many ways, the pedigreed bird loaded last.
// Bands carry the year of the generation and a random seven-digit serial, as real rings do.
Pedigree randomDeep(unsigned seed)
{
    constexpr int count = 2048;
    constexpr int generations = 40;
    std::mt19937 random(seed);
    std::vector<int> size(generations, (count - 1) / generations);
    for (int g = 0; g < (count - 1) % generations; ++g)
        ++size[g];
    std::uniform_int_distribution<int> serial(1000000, 9999999);
    std::vector<std::vector<std::string>> names(generations + 1);
    for (int g = 0; g <= generations; ++g) {
        const int birds = g < generations ? size[g] : 1;
        for (int i = 0; i < birds; ++i)
            names[g].push_back(band(i % 3 == 0 ? "BE" : "NL", 1980 + g, serial(random)));
    }
    const auto parentOf = [&](int generation, bool male) {
        std::uniform_int_distribution<int> back(1, generation >= 2 ? 2 : 1);
        const int parentGeneration = generation - back(random);
        const int available = male ? (size[parentGeneration] + 1) / 2 : size[parentGeneration] / 2;
        std::uniform_int_distribution<int> pick(0, available - 1);
        return names[parentGeneration][2 * pick(random) + (male ? 0 : 1)];
    };
    Pedigree rows;
    for (int generation = generations - 1; generation >= 0; --generation) {
        for (int i = 0; i < size[generation]; ++i) {
            if (generation == 0)
                rows.push_back({ names[generation][i], "", "" });
            else
                rows.push_back({ names[generation][i], parentOf(generation, true),
                    parentOf(generation, false) });
        }
    }
    rows.push_back(
        { names[generations][0], parentOf(generations, true), parentOf(generations, false) });
    return rows;
}

// 48 generations of parents above the pedigreed bird, every pair but the founders full sibs, after
// 31 unrelated birds that bring the store to 128: walking every path would take 2^48 visits.
Pedigree fullSibLine()
{
    Pedigree rows;
    for (int i = 1; i <= 31; ++i)
        rows.push_back({ band("GB", 2020, 10000 + i), "", "" });
    const auto cock = [](int pair) { return band("NL", 2020 - pair, 2000000 + pair); };
    const auto hen = [](int pair) { return band("NL", 2020 - pair, 3000000 + pair); };
    rows.push_back({ "NL-2021-1234567", cock(1), hen(1) });
    for (int pair = 1; pair < 48; ++pair) {
        rows.push_back({ cock(pair), cock(pair + 1), hen(pair + 1) });
        rows.push_back({ hen(pair), cock(pair + 1), hen(pair + 1) });
    }
    return rows;
}

// One analysis; returns a checksum over every bird's results.
double analyse(inbreed &engine, const Pedigree &rows)
{
    engine.reset();
    for (const Row &row : rows)
        engine.load_record(row.identification, row.sire, row.dam);
    if (!engine.compute())
        return -1.0;
    double sum = 0.0;
    for (int i = 1; engine.select_sorted(i); ++i) {
        const inbreed::bird &b = engine.current();
        sum += b.inbreeding + b.relationship + b.pair_back + b.contribution + b.blood + b.min_gen
            + b.occurrences;
    }
    return sum;
}

// True when the checksum is the reference's; else the benchmark is skipped with both.
bool matchesReference(benchmark::State &state, double checksum, double reference)
{
    if (std::fabs(checksum - reference) <= 1e-9 * std::fabs(reference))
        return true;
    char text[120];
    std::snprintf(
        text, sizeof text, "checksum %.17g differs from the reference %.17g", checksum, reference);
    state.SkipWithError(text);
    return false;
}

void runAnalysis(benchmark::State &state, const Pedigree &rows, double reference)
{
    static inbreed engine;
    if (!matchesReference(state, analyse(engine, rows), reference))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyse(engine, rows));
    state.counters["birds"] = engine.bird_count();
}

void BM_SevenGenerations127Birds(benchmark::State &state)
{
    static const Pedigree rows = sevenGenerations();
    // 769 summed first generations, 126 occurrences, 6 of blood, relationship and pair-back 6 and 3.
    runAnalysis(state, rows, 910.0);
}

void BM_RandomDeep2048Birds(benchmark::State &state)
{
    static const Pedigree rows = randomDeep(20240611);
    runAnalysis(state, rows, 175718.1193962986);
}

void BM_FullSibLine48Generations(benchmark::State &state)
{
    static const Pedigree rows = fullSibLine();
    runAnalysis(state, rows, 13153.542893235897);
}

// Cold set-up: the engine's tables are allocated once per report window.
void BM_ConstructEngine(benchmark::State &state)
{
    for (auto _ : state) {
        inbreed engine;
        benchmark::DoNotOptimize(engine.bird_count());
    }
}

// The report benchmarks' pedigree: a full tree of eight generations over 14 layers of 128 birds.
Pedigree layered2048()
{
    Pedigree rows;
    std::string line;
    std::istringstream csv(bench2048::pedigreeCsv());
    while (std::getline(csv, line)) {
        std::vector<std::string> fields;
        for (size_t open = line.find('"'); open != std::string::npos;) {
            const size_t close = line.find('"', open + 1);
            fields.push_back(line.substr(open + 1, close - open - 1));
            open = line.find('"', close + 1);
        }
        rows.push_back({ fields[0], fields[1], fields[2] });
    }
    return rows;
}

double depthChecksum(const pedigree_depth &depth)
{
    double sum = depth.equivalent_complete_generations + depth.pci4 + depth.ancestral_loss_5
        + depth.ancestral_loss_all;
    for (const depth_generation &g : depth.generations)
        sum += g.generation * (g.completeness + g.inbreeding) + g.distinct;
    return sum;
}

// The depth figures of an analysed pedigree; the analysis itself is not timed.
void runDepth(benchmark::State &state, const Pedigree &rows, double reference)
{
    static inbreed engine;
    if (analyse(engine, rows) < 0.0) {
        state.SkipWithError("the analysis failed");
        return;
    }
    const pedigree_depth depth = measure_pedigree_depth(engine);
    if (!matchesReference(state, depthChecksum(depth), reference))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(measure_pedigree_depth(engine));
    state.counters["generations"] = static_cast<double>(depth.generations.size());
}

void BM_DepthLayered2048Birds(benchmark::State &state)
{
    static const Pedigree rows = layered2048();
    runDepth(state, rows, 2303.7923229530261);
}

void BM_DepthRandomDeep2048Birds(benchmark::State &state)
{
    static const Pedigree rows = randomDeep(20240611);
    runDepth(state, rows, 10305.382685233328);
}

void BM_DepthFullSibLine48Generations(benchmark::State &state)
{
    static const Pedigree rows = fullSibLine();
    runDepth(state, rows, 2471.1713741663898);
}

} // namespace

BENCHMARK(BM_DepthLayered2048Birds)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_DepthRandomDeep2048Birds)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_DepthFullSibLine48Generations)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_SevenGenerations127Birds)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_RandomDeep2048Birds)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_FullSibLine48Generations)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_ConstructEngine)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
