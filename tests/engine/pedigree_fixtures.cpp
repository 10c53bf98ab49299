#include "pedigree_fixtures.h"

#include <algorithm>
#include <map>
#include <random>

bool loadPedigree(inbreed &engine, const Pedigree &rows)
{
    engine.reset();
    bool all = true;
    for (const Row &row : rows)
        all = engine.load_record(row.identification, row.sire, row.dam) && all;
    return all;
}

bool analyse(inbreed &engine, const Pedigree &rows)
{
    const bool loaded = loadPedigree(engine, rows);
    return engine.compute() && loaded;
}

const inbreed::bird *findBird(inbreed &engine, const std::string &band)
{
    for (int i = 1; engine.select_sorted(i); ++i) {
        if (band == engine.current().band)
            return &engine.current();
    }
    return nullptr;
}

const inbreed::bird &pedigreedBird(inbreed &engine)
{
    engine.select_sorted(engine.bird_count());
    return engine.current();
}

Pedigree operator+(Pedigree first, const Pedigree &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Pedigree founders(int count, const std::string &prefix)
{
    Pedigree rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({ prefix + std::to_string(i), "", "" });
    return rows;
}

Pedigree fullSibLine(int matings, const std::string &prefix)
{
    auto sire = [&](int pair) { return prefix + "S" + std::to_string(pair); };
    auto dam = [&](int pair) { return prefix + "D" + std::to_string(pair); };
    Pedigree rows { { prefix + "P", sire(1), dam(1) } };
    for (int pair = 1; pair <= matings; ++pair) {
        rows.push_back({ sire(pair), sire(pair + 1), dam(pair + 1) });
        rows.push_back({ dam(pair), sire(pair + 1), dam(pair + 1) });
    }
    return rows;
}

Pedigree twinSibLines(int matings, const std::string &prefix)
{
    Pedigree rows;
    for (const std::string line : { "A", "B" }) {
        std::string sire = prefix + "GS";
        std::string dam = prefix + "GD";
        for (int pair = 1; pair <= matings; ++pair) {
            const std::string band = prefix + line + std::to_string(pair);
            rows.push_back({ band + "s", sire, dam });
            rows.push_back({ band + "d", sire, dam });
            sire = band + "s";
            dam = band + "d";
        }
        rows.push_back({ prefix + (line == "A" ? "COCK" : "HEN"), sire, dam });
    }
    return rows;
}

Pedigree randomPedigree(unsigned seed, int count, int generations, const std::string &prefix)
{
    std::mt19937 random(seed);
    std::vector<int> size(generations, (count - 1) / generations);
    for (int g = 0; g < (count - 1) % generations; ++g)
        ++size[g];
    auto band = [&](int generation, int i) {
        return prefix + std::to_string(generation) + "-" + std::to_string(i);
    };
    // Even places of a generation hold its cocks, odd places its hens.
    auto parentOf = [&](int generation, bool male) {
        std::uniform_int_distribution<int> back(1, generation >= 2 ? 2 : 1);
        const int parentGeneration = generation - back(random);
        const int available = male ? (size[parentGeneration] + 1) / 2 : size[parentGeneration] / 2;
        std::uniform_int_distribution<int> pick(0, available - 1);
        return band(parentGeneration, 2 * pick(random) + (male ? 0 : 1));
    };
    Pedigree rows;
    for (int generation = generations - 1; generation >= 0; --generation) {
        for (int i = 0; i < size[generation]; ++i) {
            if (generation == 0)
                rows.push_back({ band(generation, i), "", "" });
            else
                rows.push_back({ band(generation, i), parentOf(generation, true),
                    parentOf(generation, false) });
        }
    }
    rows.push_back({ prefix + "P", parentOf(generations, true), parentOf(generations, false) });
    return rows;
}

Pedigree combedFullSibLine(int pairs, const std::string &prefix)
{
    auto cock = [&](int pair) { return prefix + "C" + std::to_string(pair); };
    auto hen = [&](int pair) { return prefix + "H" + std::to_string(pair); };
    Pedigree rows { { prefix + "P", prefix + "S", prefix + "D" },
        { prefix + "D", cock(1), hen(1) } };
    for (int pair = 1; pair < pairs; ++pair) {
        rows.push_back({ cock(pair), cock(pair + 1), hen(pair + 1) });
        rows.push_back({ hen(pair), cock(pair + 1), hen(pair + 1) });
    }
    // The tooth at generation g covers the line from its pair down to generation 10.
    std::string child = prefix + "S";
    int pair = 5;
    for (int generation = 3; generation <= 10 && pair <= pairs; ++generation) {
        const std::string next = prefix + "T" + std::to_string(generation);
        rows.push_back({ child, cock(pair), next });
        child = next;
        pair += 11 - generation;
    }
    return rows;
}

namespace {

void record(WalkStatistics &s, int generation, int side)
{
    s.minGen = std::min(s.minGen, generation);
    s.maxGen = std::max(s.maxGen, generation);
    if (generation < 2 || generation > 20)
        return;
    const double weight = inbreed::generation_weight(generation);
    ++s.occurrences;
    s.blood += weight;
    if (side == 1) {
        ++s.sireOccurrences;
        s.sireBlood += weight;
    } else if (side == 2) {
        ++s.damOccurrences;
        s.damBlood += weight;
    }
}

void walkStatistics(const inbreed::bird *bird, int generation, int side,
    const std::map<const inbreed::bird *, int> &index, std::vector<WalkStatistics> &statistics)
{
    WalkStatistics &s = statistics[index.at(bird)];
    record(s, generation, side);
    ++generation;
    if (s.minGen >= 11 && s.minGen != inbreed::not_met)
        return;
    if (bird->sire)
        walkStatistics(bird->sire, generation, generation == 2 ? 1 : side, index, statistics);
    if (bird->dam)
        walkStatistics(bird->dam, generation, generation == 2 ? 2 : side, index, statistics);
}

void walk(const inbreed::bird *bird, double x, const std::map<const inbreed::bird *, int> &index,
    std::vector<double> &weights)
{
    x = x * 0.5;
    weights[index.at(bird)] += x;
    if (bird->sire)
        walk(bird->sire, x, index, weights);
    if (bird->dam)
        walk(bird->dam, x, index, weights);
}

} // namespace

std::vector<WalkStatistics> literalWalkStatistics(inbreed &engine)
{
    std::map<const inbreed::bird *, int> index;
    for (int i = 1; engine.select_sorted(i); ++i)
        index[&engine.current()] = i;
    std::vector<WalkStatistics> statistics(index.size() + 1);
    engine.select_sorted(static_cast<int>(index.size()));
    walkStatistics(&engine.current(), 1, 0, index, statistics);
    return statistics;
}

std::vector<double> literalPathInbreeding(inbreed &engine)
{
    std::vector<const inbreed::bird *> order(1, nullptr);
    std::map<const inbreed::bird *, int> index;
    for (int i = 1; engine.select_sorted(i); ++i) {
        order.push_back(&engine.current());
        index[&engine.current()] = i;
    }
    const int count = static_cast<int>(order.size()) - 1;
    std::vector<double> f(count + 1, 0.0);
    std::vector<double> variance(count + 1, 0.0);
    for (int k = 1; k <= count; ++k) {
        const inbreed::bird *bird = order[k];
        const double sireF = bird->sire ? f[index.at(bird->sire)] : -1.0;
        const double damF = bird->dam ? f[index.at(bird->dam)] : -1.0;
        variance[k] = 0.5 - 0.25 * (sireF + damF);
        std::vector<double> weights(count + 1, 0.0);
        walk(bird, 2.0, index, weights);
        double sum = -1.0;
        for (int i = 1; i <= k; ++i)
            sum = sum + weights[i] * weights[i] * variance[i];
        f[k] = sum;
    }
    return f;
}
