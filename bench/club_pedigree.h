#pragma once

// A club's pedigree for the population benchmarks, from a fixed seed: lofts of about 500 birds
// over 20 generations of equal size, each generation's young bred from pairs of the loft's birds
// of the generation before, or one in five times of the one before that (overlapping
// generations, closely related: real inbreeding), about four full sibs per pair.
// One parent in twenty is unknown and one in fifty comes from another loft. Year 0 holds the
// founders. Bands carry the year: "NL-2003-0012345".

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

constexpr int clubYears = 20; // one generation a year

// Calls row(band, sire, dam) for every bird, parents before their young; an unknown parent is "".
template <typename Row> void clubPedigree(long long count, Row row)
{
    const long long lofts = std::max(1LL, count / 500);
    const long long perYear = std::max(2LL, count / lofts / clubYears);
    std::mt19937_64 random(20261209u);
    const auto band = [](long long loft, long long year, long long i) {
        char text[32];
        std::snprintf(text, sizeof text, "NL-%lld-%07lld", 2000 + year, loft * 1000 + i);
        return std::string(text);
    };
    const auto parent = [&](long long loft, long long year, int sex) {
        if (random() % 20 == 0)
            return std::string();
        if (random() % 50 == 0)
            loft = static_cast<long long>(random() % static_cast<unsigned long long>(lofts));
        const long long back = (year >= 2 && random() % 5 == 0) ? 2 : 1;
        const long long from = std::max(0LL, year - back);
        const long long i
            = 2 * static_cast<long long>(random() % static_cast<unsigned long long>(perYear / 2))
            + sex;
        return band(loft, from, i);
    };
    for (long long year = 0; year < clubYears; ++year) {
        for (long long loft = 0; loft < lofts; ++loft) {
            std::string sire;
            std::string dam;
            for (long long i = 0; i < perYear; ++i) {
                if (year == 0) {
                    row(band(loft, year, i), std::string(), std::string());
                    continue;
                }
                if (i % 4 == 0) {
                    sire = parent(loft, year, 0);
                    dam = parent(loft, year, 1);
                }
                row(band(loft, year, i), sire, dam);
            }
        }
    }
}
