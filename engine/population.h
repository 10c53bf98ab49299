#pragma once

// Population statistics over every bird of a pedigree at once: each bird's inbreeding, how
// complete its pedigree is, and its mean kinship with a reference group of birds; for the group,
// the effective numbers of founders and of ancestors, the individual increase in inbreeding and
// the effective population size it gives; and the mean inbreeding by year of birth.
//
//   kinship pedigree;                                // rows checked as the analysis checks them
//   for (const auto &row : rows)
//       pedigree.load_record(row.identification, row.sire, row.dam);
//   population figures;
//   figures.compute(pedigree, {});                   // the group: birds with no offspring
//   print(figures.birds()[pedigree.find("NL-2021-1234567")].inbreeding);
//
// Every bird's inbreeding is exact, the same as the analysis's to rounding: one minus one plus the
// sum over the bird and its ancestors of (summed path weight)^2 times the ancestor's sampling
// variance, computed bird by bird over its own ancestors only (Meuwissen and Luo), full sibs once.
// The mean kinship comes from the relationship matrix times the group's indicator in two passes
// over the ordered birds (Colleau), without the matrix. Memory grows linearly with the birds.
//
// Birds on a loop (a bird its own ancestor) and their descendants are left out; each loop is
// reported once as the chain of birds along it.

#include <cstddef>
#include <functional>
#include <vector>

class kinship;

class population
{
public:
    struct bird_figures
    {
        bool computed = false; // false for a bird on a loop or descending from one
        double inbreeding = 0.0; // fraction
        double mean_kinship = 0.0; // fraction: average kinship with the group's birds
        double ecg = 0.0; // equivalent complete generations: known ancestors weighted by 1/2^g
        int known_ancestors = 0; // distinct ancestors in the pedigree
        int generations = 0; // the longest line of known ancestors (0 without known parents)
        int year = 0; // of birth as the band carries it; 0 when it carries none
    };

    struct year_figures
    {
        int year = 0;
        int birds = 0;
        double mean_inbreeding = 0.0;
        double mean_ecg = 0.0;
    };

    // Figures of the reference group.
    struct group_figures
    {
        int birds = 0;
        double mean_inbreeding = 0.0;
        double mean_ecg = 0.0;
        double mean_kinship = 0.0; // the group's average kinship, each bird with itself included
        int founders = 0; // founders with genes in the group, an unknown parent counting as one
        double founder_equivalents = 0.0; // f_e: 1 / sum of the founders' squared contributions
        // f_a: 1 / sum of squared marginal contributions of the ancestors (the group's ancestors
        // and founders, an unknown parent counting as one) picked one at a time, the largest
        // first, until the rest can change it by less than 0.1 % (or 2,000 are taken).
        double ancestor_equivalents = 0.0;
        // What the ancestors not taken can lower f_a to at the most: each adds no more than the
        // last one taken. Equal to f_a but for 0.1 % when the picking ran to its end.
        double ancestor_equivalents_least = 0.0;
        int ancestors_taken = 0;
        double ancestors_share = 0.0; // the group's genes the ancestors taken explain
        // The individual increase in inbreeding, 1 - (1 - F)^(1 / (ecg - 1)), averaged over the
        // group's birds with more than one equivalent complete generation, and 1 / (2 x that
        // mean), the effective population size (0 when the mean increase is not above 0).
        int increase_birds = 0;
        double mean_increase = 0.0;
        double effective_size = 0.0;
    };

    // The reference group: bird indices of the store, or empty for the birds that are nobody's
    // parent. Birds not computed are left out of it. `this_year` places two-digit band years
    // (0: the current calendar year). `progress` is told how many birds are done out of how many,
    // now and then, on the calling thread; returning false stops the computation.
    struct options
    {
        std::vector<int> group;
        int this_year = 0;
        std::function<bool(std::size_t done, std::size_t total)> progress;
    };

    // Computes every figure for the birds the store holds; false when stopped through `progress`
    // (the figures are then incomplete).
    bool compute(const kinship &pedigree, const options &settings);

    // By the store's bird index.
    const std::vector<bird_figures> &birds() const { return m_birds; }
    // Each loop as the chain of birds along it, each a parent of the one before, the first
    // repeated at the end.
    const std::vector<std::vector<int>> &loops() const { return m_loops; }
    int left_out() const { return m_left_out; }
    const group_figures &group() const { return m_group; }
    // The group's birds, in store order.
    const std::vector<int> &group_birds() const { return m_group_birds; }
    // The computed birds whose band carries a year, by year, oldest first.
    const std::vector<year_figures> &by_year() const { return m_by_year; }

private:
    std::vector<bird_figures> m_birds;
    std::vector<std::vector<int>> m_loops;
    int m_left_out = 0;
    group_figures m_group;
    std::vector<int> m_group_birds;
    std::vector<year_figures> m_by_year;
};
