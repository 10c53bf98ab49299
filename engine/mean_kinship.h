#pragma once

// Each candidate's mean kinship to a breeding group: the average, over the group's birds, of the
// inbreeding the young of the candidate and that bird would have (half their relationship). A
// bird's kinship with itself, one half of one plus its own inbreeding, counts when it stands in
// the group. Birds carrying the blood most common in the group have the highest figures.
//
//   mean_kinship::result means = mean_kinship::compute(pedigree, candidates);   // group: all
//   for (std::size_t i = 0; i < means.birds.size(); ++i)
//       print(pedigree.bird_at(means.birds[i]).band, means.mean[i]);
//
// Indices that name no bird, and birds whose ancestry loops back on itself, are left out of both
// lists and named in `left_out`; a bird named twice in the group counts once. Never throws on bad
// input. The work is one pairing plan of the candidates with the group, inbreeding only.

#include "kinship.h"

#include <vector>

class mean_kinship
{
public:
    struct result
    {
        std::vector<int> birds; // the candidates computed, in the order given
        std::vector<double> mean; // by candidate; 0 when the group is empty
        std::vector<int> group; // the group's birds counted, in the order given
        std::vector<int> left_out; // in the order met, each once
    };

    // Mean kinship of every candidate to `group`, or to the candidates when it is empty.
    static result compute(const kinship &pedigree, const std::vector<int> &candidates,
        const std::vector<int> &group = {});
};
