// The pairing planner's figures for 200 cocks and 200 hens: the inbreeding of every pair's young
// and the ranking of each pair's common ancestors, in lofts of 1,000, 10,000 and 100,000 birds
// over 20 generations. The lofts are built once from a fixed seed. Before timing, a handful of
// pairs are checked against the plain path-weight sum over the whole order, so a fast wrong
// answer fails. Peak memory of the planning (bytes live at once) is reported as a counter. The
// planner shares its work out over the processor's threads, so the time is wall time; the
// `cores` counter tells how many the machine has.

#include "kinship.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

std::atomic<long long> liveBytes { 0 };
std::atomic<long long> peakBytes { 0 };

void noteAllocation(std::size_t size)
{
    const long long now = liveBytes += static_cast<long long>(size);
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) { }
}

} // namespace

void *operator new(std::size_t size)
{
    void *p = std::malloc(size + sizeof(std::max_align_t));
    if (!p)
        throw std::bad_alloc();
    *static_cast<std::size_t *>(p) = size;
    noteAllocation(size);
    return static_cast<char *>(p) + sizeof(std::max_align_t);
}

void operator delete(void *p) noexcept
{
    if (!p)
        return;
    char *block = static_cast<char *>(p) - sizeof(std::max_align_t);
    liveBytes -= static_cast<long long>(*reinterpret_cast<std::size_t *>(block));
    std::free(block);
}

void operator delete(void *p, std::size_t) noexcept
{
    operator delete(p);
}

namespace {

constexpr int generations = 20;
constexpr int candidatesPerSex = 200;

// A loft of `count` birds over 20 generations of equal size: even places of a generation hold
// cocks, odd places hens; every bird's parents come from the generation before it, or one in five
// times from the one before that. The youngest 200 cocks and 200 hens are the candidates. With
// several families the loft is that many unrelated lofts of equal size in one file, the
// candidates all of the last one.
struct Loft
{
    kinship pedigree;
    std::vector<int> cocks;
    std::vector<int> hens;
};

void addFamily(Loft &loft, int count, int family)
{
    std::mt19937 random(20261209u + static_cast<unsigned>(count + family));
    const int size = count / generations;
    const auto band = [&](int generation, int place) {
        std::string text = std::to_string(family);
        text += '-';
        text += std::to_string(2000 + generation);
        text += '-';
        text += std::to_string(1000000 + place);
        return text;
    };
    for (int g = 0; g < generations; ++g) {
        for (int place = 0; place < size; ++place) {
            if (g == 0) {
                loft.pedigree.load_record(band(g, place), "", "");
                continue;
            }
            const auto parent = [&](int sex) {
                const int back = (g >= 2 && random() % 5 == 0) ? 2 : 1;
                return band(g - back, 2 * static_cast<int>(random() % (size / 2)) + sex);
            };
            const std::string sire = parent(0);
            loft.pedigree.load_record(band(g, place), sire, parent(1));
        }
    }
}

Loft buildLoft(int count, int families)
{
    Loft loft;
    for (int family = 1; family <= families; ++family)
        addFamily(loft, count / families, family);
    for (int b = loft.pedigree.bird_count() - 1; b >= 0; --b) {
        std::vector<int> &list = (b % 2 == 0) ? loft.cocks : loft.hens;
        if (list.size() < candidatesPerSex)
            list.push_back(b);
    }
    return loft;
}

// The additive relationship of two birds by the plain sum over every bird of the pedigree of
// L(a, k) L(b, k) d(k), with the path weights L pushed down the whole load order (parents are
// loaded before their young here).
double plainRelationship(const kinship &pedigree, int a, int b, const std::vector<double> &f)
{
    const auto weights = [&](int from) {
        std::vector<double> w(static_cast<std::size_t>(pedigree.bird_count()), 0.0);
        w[static_cast<std::size_t>(from)] = 1.0;
        for (int k = from; k >= 0; --k) {
            const kinship::bird &bird = pedigree.bird_at(k);
            for (const int parent : { bird.sire, bird.dam })
                if (parent != kinship::no_bird)
                    w[static_cast<std::size_t>(parent)] += 0.5 * w[static_cast<std::size_t>(k)];
        }
        return w;
    };
    const std::vector<double> wa = weights(a);
    const std::vector<double> wb = weights(b);
    double sum = 0.0;
    for (int k = 0; k < pedigree.bird_count(); ++k) {
        const kinship::bird &bird = pedigree.bird_at(k);
        const double fs
            = bird.sire == kinship::no_bird ? -1.0 : f[static_cast<std::size_t>(bird.sire)];
        const double fd
            = bird.dam == kinship::no_bird ? -1.0 : f[static_cast<std::size_t>(bird.dam)];
        sum += wa[static_cast<std::size_t>(k)] * wb[static_cast<std::size_t>(k)]
            * (0.5 - 0.25 * (fs + fd));
    }
    return sum;
}

bool checkSomePairs(const Loft &loft, const kinship::plan &plan)
{
    const kinship &pedigree = loft.pedigree;
    std::vector<double> f(static_cast<std::size_t>(pedigree.bird_count()), 0.0);
    for (int k = 0; k < pedigree.bird_count(); ++k) {
        const kinship::bird &bird = pedigree.bird_at(k);
        if (bird.sire != kinship::no_bird && bird.dam != kinship::no_bird)
            f[static_cast<std::size_t>(k)]
                = 0.5 * plainRelationship(pedigree, bird.sire, bird.dam, f);
        if (pedigree.bird_count() > 20000 && k > 2000)
            break; // the plain sum is quadratic: the young's figure below needs exact F only
    }
    if (pedigree.bird_count() > 20000)
        return true;
    for (std::size_t i = 0; i < plan.cocks.size(); i += 37) {
        const std::size_t h = (i * 7) % plan.hens.size();
        const double plain = 0.5 * plainRelationship(pedigree, plan.cocks[i], plan.hens[h], f);
        if (std::abs(plain - plan.at(i, h).inbreeding) > 1e-12) {
            std::fprintf(stderr, "pair %zu x %zu: %.17g, plain %.17g\n", i, h,
                plan.at(i, h).inbreeding, plain);
            return false;
        }
    }
    return true;
}

std::map<std::pair<int, int>, Loft> &lofts()
{
    static std::map<std::pair<int, int>, Loft> built;
    return built;
}

void planPairs(benchmark::State &state, bool rankAncestors)
{
    const int count = static_cast<int>(state.range(0));
    const int families = static_cast<int>(state.range(1));
    const std::pair key { count, families };
    auto found = lofts().find(key);
    if (found == lofts().end())
        found = lofts().emplace(key, buildLoft(count, families)).first;
    const Loft &loft = found->second;
    {
        const kinship::plan plan = loft.pedigree.plan_pairs(loft.cocks, loft.hens);
        if (plan.pairs.size() != candidatesPerSex * candidatesPerSex
            || !checkSomePairs(loft, plan)) {
            state.SkipWithError("wrong figures");
            return;
        }
    }
    const long long before = liveBytes.load();
    peakBytes = before;
    double mean = 0.0;
    for (auto _ : state) {
        const kinship::plan plan = loft.pedigree.plan_pairs(loft.cocks, loft.hens, rankAncestors);
        mean = 0.0;
        for (const kinship::pair_figures &pair : plan.pairs)
            mean += pair.inbreeding;
        benchmark::DoNotOptimize(mean);
    }
    state.counters["peak_MB"] = static_cast<double>(peakBytes.load() - before) / (1024.0 * 1024.0);
    state.counters["mean_F_pct"] = 100.0 * mean / (candidatesPerSex * candidatesPerSex);
    state.counters["cores"] = std::thread::hardware_concurrency();
}

// The whole plan: the matrix and every pair's ranked common ancestors.
BENCHMARK_CAPTURE(planPairs, matrixAndRanking, true)
    ->Args({ 1000, 1 })
    ->Args({ 10000, 1 })
    ->Args({ 100000, 1 })
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// The 10,000-bird loft of the last family among nine more unrelated ones: the work follows the
// candidates' ancestry, not the size of the file.
BENCHMARK_CAPTURE(planPairs, tenFamilies, true)
    ->Args({ 100000, 10 })
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
// The matrix of the young's inbreeding alone.
BENCHMARK_CAPTURE(planPairs, matrixOnly, false)
    ->Args({ 1000, 1 })
    ->Args({ 10000, 1 })
    ->Args({ 100000, 1 })
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
