#pragma once

// How complete the pedigreed bird's pedigree is, generation by generation, and how inbred the bird
// is when only the ancestors within so many generations of it are counted.
//
//   if (engine.compute()) {
//       pedigree_depth depth = measure_pedigree_depth(engine);
//       for (const depth_generation &g : depth.generations)
//           print(g.generation, g.completeness, g.inbreeding);
//   }
//
// Generations are counted from the pedigreed bird itself, which is generation 0: its parents are
// generation 1, its grandparents generation 2. (The ancestor table counts one higher: there the
// pedigreed bird is generation 1.) An ancestor standing at several places of the pedigree counts
// once per place in the known places and once per generation in the distinct birds.
//
// Fractions are plain fractions, as in the engine's birds; the report prints them times 100.

#include <cstdint>
#include <vector>

class inbreed;

struct depth_generation
{
    int generation = 0; // 1 for the parents
    std::uint64_t known = 0; // places filled at this generation
    std::uint64_t possible = 0; // 2 to the power of the generation
    double completeness = 0.0; // known / possible
    int distinct = 0; // different birds among the known
    // The pedigreed bird's inbreeding from the ancestors within this many generations: a bird's
    // generation is its nearest place, and the parents of a bird at this generation count as
    // unknown. At the deepest generation it is the analysis's figure to the last bit.
    double inbreeding = 0.0;
};

struct pedigree_depth
{
    std::vector<depth_generation> generations; // 1 to the deepest generation with a known bird
    // Sum over every known place of 1/2 to the power of its generation.
    double equivalent_complete_generations = 0.0;
    // The pedigree completeness index over four generations: the harmonic mean 2 cs cd / (cs + cd)
    // of the mean completeness of the sire's own pedigree over its generations 1 to 4 (cs) and of
    // the dam's (cd); 0 when a parent is unknown or neither parent has a known parent.
    double pci4 = 0.0;
    // Distinct ancestors divided by the places they fill, within five generations and within all
    // of them: 1 when no bird stands twice; 0 when no ancestor is known.
    double ancestral_loss_5 = 0.0;
    double ancestral_loss_all = 0.0;
};

// The depth figures of the pedigreed bird (the last bird of the order) of an engine that has
// computed successfully; empty figures otherwise, or when no bird is stored. Reads the birds
// through select_sorted, so the engine's current bird changes; nothing else does.
pedigree_depth measure_pedigree_depth(inbreed &engine);
