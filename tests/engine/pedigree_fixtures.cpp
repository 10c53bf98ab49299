#include "pedigree_fixtures.h"

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

namespace {

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
