// The allocation of cocks to hens once the pairing plan is known: 200 cocks × 200 hens and
// 1,000 × 1,000, one or three hens per cock, 20 fixed and 50 forbidden pairs. The figures are
// built once from a fixed seed like a loft's: the birds come from families of about ten, every
// family related to every other by a sum of a few powers of one half, more within a family, and
// each pair adds a little of its own; so the hens compete for the cocks of the families least
// related to theirs, and many pairs are equal. Before timing, the pairs made and their sum
// are checked against the reference, so a fast wrong answer fails.

#include "pair_allocation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

struct Problem
{
    std::size_t count = 0; // cocks, and as many hens
    std::vector<double> figures;
    pair_allocation::settings limits;
};

Problem buildProblem(std::size_t count, int perCock)
{
    Problem p;
    p.count = count;
    std::mt19937 random(24);
    const auto powersOfHalf = [&](int fewest, int most, int first, int last) {
        double sum = 0.0;
        for (int t = std::uniform_int_distribution<int>(fewest, most)(random); t > 0; --t)
            sum += std::ldexp(1.0, -std::uniform_int_distribution<int>(first, last)(random));
        return sum;
    };
    const std::size_t families = count / 10;
    std::vector<double> between(families * families);
    for (std::size_t f = 0; f < families; ++f)
        for (std::size_t g = 0; g <= f; ++g)
            between[f * families + g] = between[g * families + f]
                = (f == g ? 0.25 : 0.0) + powersOfHalf(1, 3, 3, 9);
    std::uniform_int_distribution<std::size_t> family(0, families - 1);
    std::vector<std::size_t> familyOf(2 * count);
    for (std::size_t &f : familyOf)
        f = family(random);
    p.figures.resize(count * count);
    for (std::size_t cock = 0; cock < count; ++cock)
        for (std::size_t hen = 0; hen < count; ++hen)
            p.figures[cock * count + hen]
                = between[familyOf[cock] * families + familyOf[count + hen]]
                + powersOfHalf(0, 2, 6, 14);
    p.limits.max_per_cock = perCock;
    for (int i = 0; i < 20; ++i)
        p.limits.fixed.push_back({ 7 * i, static_cast<int>(count) - 1 - 3 * i });
    std::uniform_int_distribution<int> bird(0, static_cast<int>(count) - 1);
    while (p.limits.forbidden.size() < 50) {
        const pair_allocation::pair forbidden { bird(random), bird(random) };
        if (std::find(p.limits.fixed.begin(), p.limits.fixed.end(), forbidden)
            == p.limits.fixed.end())
            p.limits.forbidden.push_back(forbidden);
    }
    return p;
}

void runAllocation(benchmark::State &state, std::size_t count, int perCock, double referenceSum)
{
    const Problem p = buildProblem(count, perCock);
    const pair_allocation::result check
        = pair_allocation::allocate(p.count, p.count, p.figures, p.limits);
    const double sum = check.mean_inbreeding * static_cast<double>(check.pairs.size());
    state.counters["pairs"] = static_cast<double>(check.pairs.size());
    state.counters["mean_percent"] = 100.0 * check.mean_inbreeding;
    if (check.pairs.size() != count || std::abs(sum - referenceSum) > 1e-9) {
        state.SkipWithError("allocation differs from the reference");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(pair_allocation::allocate(p.count, p.count, p.figures, p.limits));
}

void BM_Allocate200OnePerCock(benchmark::State &state)
{
    runAllocation(state, 200, 1, 2.90545654296875);
}

void BM_Allocate200ThreePerCock(benchmark::State &state)
{
    runAllocation(state, 200, 3, 2.48846435546875);
}

void BM_Allocate1000OnePerCock(benchmark::State &state)
{
    runAllocation(state, 1000, 1, 3.53826904296875);
}

void BM_Allocate1000ThreePerCock(benchmark::State &state)
{
    runAllocation(state, 1000, 3, 3.5263671875);
}

} // namespace

BENCHMARK(BM_Allocate200OnePerCock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Allocate200ThreePerCock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Allocate1000OnePerCock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Allocate1000ThreePerCock)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
