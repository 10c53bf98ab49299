// Population figures of a club's pedigree from 10,000 to 10,000,000 birds (club_pedigree.h):
// every bird's inbreeding alone (the time until the engine reports the last bird done), and every
// figure. The pedigree is built once per size; before timing, a few birds' inbreeding is checked
// against the pairing planner's figure for the young of their parents, so a fast wrong answer
// fails. The peak resident memory of the process so far is reported as a counter (run one size
// per process to read it per size). Wall time: the engine shares the inbreeding out over the
// processor's threads; the processor time of the inbreeding, summed over the threads, is given
// besides, as it does not depend on what else the machine runs.

#include "club_pedigree.h"
#include "kinship.h"
#include "population.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <map>
#include <memory>
#include <thread>

namespace {

const kinship &club(long long count)
{
    static std::map<long long, std::unique_ptr<kinship>> built;
    auto &pedigree = built[count];
    if (!pedigree) {
        pedigree = std::make_unique<kinship>();
        clubPedigree(
            count, [&](const std::string &band, const std::string &sire, const std::string &dam) {
                pedigree->load_record(band, sire, dam);
            });
    }
    return *pedigree;
}

bool checkSomeBirds(const kinship &pedigree, const population &figures)
{
    for (int b = pedigree.bird_count() - 1; b >= 0; b -= pedigree.bird_count() / 7) {
        const kinship::bird &bird = pedigree.bird_at(b);
        if (bird.sire == kinship::no_bird || bird.dam == kinship::no_bird)
            continue;
        const kinship::plan young = pedigree.plan_pairs({ bird.sire }, { bird.dam }, false);
        if (std::abs(
                young.at(0, 0).inbreeding - figures.birds()[static_cast<std::size_t>(b)].inbreeding)
            > 1e-12)
            return false;
    }
    return true;
}

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double processSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

void populationFigures(benchmark::State &state)
{
    const kinship &pedigree = club(state.range(0));
    using Clock = std::chrono::steady_clock;
    double inbreedingSeconds = 0.0;
    double inbreedingProcessorSeconds = 0.0;
    population figures;
    for (auto _ : state) {
        const auto start = Clock::now();
        const double processStart = processSeconds();
        population::options settings { {}, 2026, {} };
        settings.progress = [&](std::size_t done, std::size_t total) {
            if (done == total) {
                inbreedingSeconds = std::chrono::duration<double>(Clock::now() - start).count();
                inbreedingProcessorSeconds = processSeconds() - processStart;
            }
            return true;
        };
        figures.compute(pedigree, settings);
        benchmark::DoNotOptimize(figures.group().mean_inbreeding);
    }
    if (!checkSomeBirds(pedigree, figures)) {
        state.SkipWithError("wrong figures");
        return;
    }
    double known = 0.0;
    for (const population::bird_figures &bird : figures.birds())
        known += bird.known_ancestors;
    state.counters["inbreeding_s"] = inbreedingSeconds;
    state.counters["inbreeding_cpu_s"] = inbreedingProcessorSeconds;
    state.counters["mean_F_pct"] = 100.0 * figures.group().mean_inbreeding;
    state.counters["mean_ancestors"] = known / static_cast<double>(pedigree.bird_count());
    state.counters["f_e"] = figures.group().founder_equivalents;
    state.counters["f_a"] = figures.group().ancestor_equivalents;
    state.counters["Ne"] = figures.group().effective_size;
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["cores"] = std::thread::hardware_concurrency();
}

BENCHMARK(populationFigures)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
