#pragma once

// Pedigrees for the engine tests, built in code so that every band and link is visible, and a
// plain path-by-path counterpart of the engine's path method.

#include "inbreed.h"

#include <string>
#include <vector>

struct Row
{
    std::string identification;
    std::string sire;
    std::string dam;
};

using Pedigree = std::vector<Row>;

// Resets the engine and loads every row; true when every row was accepted.
bool loadPedigree(inbreed &engine, const Pedigree &rows);

// Resets, loads and computes; true when every row was accepted and compute succeeded.
bool analyse(inbreed &engine, const Pedigree &rows);

// The stored bird with this band after a successful compute, or nullptr.
const inbreed::bird *findBird(inbreed &engine, const std::string &band);

// The pedigreed bird (the last of the order) after a successful compute.
const inbreed::bird &pedigreedBird(inbreed &engine);

Pedigree operator+(Pedigree first, const Pedigree &second);

// Parentless birds "<prefix>1" to "<prefix>count", each nobody's parent. Loaded before a pedigree
// they fill the store without changing the pedigreed bird (the last leaf loaded).
Pedigree founders(int count, const std::string &prefix);

// The pedigreed bird "<prefix>P" out of full sibs, whose parents are full sibs, and so on for
// `matings` generations of full-sib mating above two unrelated founders: 1 + 2 * (matings + 1)
// birds, the founders at level matings + 2.
Pedigree fullSibLine(int matings, const std::string &prefix);

// Two full-sib lines of `matings` pairs each ("<prefix>A<j>s" and "<prefix>A<j>d", then B), both
// founded by offspring of the founders "<prefix>GS" and "<prefix>GD"; the cock "<prefix>COCK" out
// of the last pair of line A, the hen "<prefix>HEN" out of the last of line B. Their young is
// 25 % inbred through GS and GD alone, met at generation matings + 3.
Pedigree twinSibLines(int matings, const std::string &prefix);

// A pedigree of `count` birds over `generations` generations with parents drawn from a fixed
// seed among the two previous generations: inbred in many ways. Birds chosen as nobody's parent
// are leaves; the pedigreed bird "<prefix>P" is loaded last.
Pedigree randomPedigree(unsigned seed, int count, int generations, const std::string &prefix);

// The pedigreed bird "<prefix>P" whose dam descends from a full-sib line of `pairs` pairs
// (cocks "<prefix>C<j>", hens "<prefix>H<j>", pair 1 the dam's parents, each pair the parents of
// the pair before). Its sire side is a comb: the sire and a string of hens "<prefix>T<i>" whose
// sires are cocks of the line, placed so that every pair from the 5th to the 40th is met within
// ten generations. The walk then goes on through the line from every deep place as well.
Pedigree combedFullSibLine(int pairs, const std::string &prefix);

// The ancestor statistics of the pedigreed bird as the plain recursive walk records them, visiting
// every bird once per path; index i is the i-th bird of the order.
struct WalkStatistics
{
    int minGen = inbreed::not_met;
    int maxGen = 0;
    int occurrences = 0;
    int sireOccurrences = 0;
    int damOccurrences = 0;
    double blood = 0.0;
    double sireBlood = 0.0;
    double damBlood = 0.0;
};
std::vector<WalkStatistics> literalWalkStatistics(inbreed &engine);

// Every stored bird's inbreeding by the path method computed path by path: for each bird of the
// order, the recursive walk that visits every ancestor once per path, then minus one plus the sum
// of (summed path weight)^2 times the sampling variance, over the order. Index i is the i-th bird
// of the order; the engine must have computed successfully.
std::vector<double> literalPathInbreeding(inbreed &engine);
