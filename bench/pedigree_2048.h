#pragma once

// The benchmarks' 2048-bird pedigree as file bytes, built from a fixed seed.

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace bench2048 {

inline std::string band(int bird)
{
    std::string text = "NL-20";
    text += std::to_string(10 + bird % 13);
    text += '-';
    text += std::to_string(1000000 + bird * 7);
    return text;
}

// One file line: three quoted bands (0 for an unknown parent) and CR LF.
inline void appendRow(std::string &csv, int bird, int sire, int dam)
{
    const int fields[] = { bird, sire, dam };
    for (int field = 0; field < 3; ++field) {
        if (field > 0)
            csv += ',';
        csv += '"';
        if (fields[field] != 0)
            csv += band(fields[field]);
        csv += '"';
    }
    csv += "\r\n";
}

// 2048 birds in layers: a full tree of 8 generations over the pedigreed bird, then 14 layers of
// 128 birds, each bird's sire and dam drawn from the next layer so that every bird of a layer is
// named as a parent; one extra founder opens the file.
inline std::string pedigreeCsv()
{
    std::mt19937 random(20480);
    std::vector<std::vector<int>> layers;
    int next = 1;
    for (int size = 1; size <= 128; size *= 2) {
        layers.emplace_back(size);
        std::iota(layers.back().begin(), layers.back().end(), next);
        next += size;
    }
    for (int layer = 0; layer < 14; ++layer) {
        layers.emplace_back(128);
        std::iota(layers.back().begin(), layers.back().end(), next);
        next += 128;
    }
    std::string csv;
    appendRow(csv, next, 0, 0);
    for (size_t layer = 0; layer < layers.size(); ++layer) {
        const std::vector<int> &birds = layers[layer];
        if (layer + 1 == layers.size()) {
            for (int bird : birds)
                appendRow(csv, bird, 0, 0);
            break;
        }
        const std::vector<int> &parents = layers[layer + 1];
        const size_t half = parents.size() / 2;
        std::vector<int> sires(parents.begin(), parents.begin() + half);
        std::vector<int> dams(parents.begin() + half, parents.end());
        std::shuffle(sires.begin(), sires.end(), random);
        std::shuffle(dams.begin(), dams.end(), random);
        for (size_t i = 0; i < birds.size(); ++i) {
            const int sire = birds.size() < parents.size() ? parents[2 * i] : sires[i % half];
            const int dam
                = birds.size() < parents.size() ? parents[2 * i + 1] : dams[(i + i / half) % half];
            appendRow(csv, birds[i], sire, dam);
        }
    }
    return csv;
}

} // namespace bench2048
