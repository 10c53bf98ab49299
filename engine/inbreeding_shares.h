#pragma once

// Each common ancestor's exact share of a young's inbreeding: the part of it carried by the pairs
// of paths, one from the sire and one from the dam, that meet at that ancestor and at no other
// bird. The shares partition the inbreeding, so they add up to it.
//
//   inbreeding_shares shares(sires, dams, inbreeding, unknown);
//   if (shares.compute(sire, dam, 100000))
//       for (const inbreeding_shares::share &s : shares.result())
//           print(s.place, s.fraction);              // largest first
//
// The birds are given by place, parents before their offspring. The kinship of two birds x and y,
// y the later, is half y's sire's kinship with x plus half y's dam's (0 for an unknown parent),
// and a bird's kinship with itself is one plus its inbreeding, halved. Expanding the sire's
// kinship with the dam always on the later bird of each pair, the weights of the pairs carried
// down from the latest bird to the earliest, ends at birds met from both sides: each such bird A
// takes its weight times (1 + F_A) / 2, the sum over the pairs of paths that meet first at A.
#include <cstddef>
#include <vector>

class inbreeding_shares
{
public:
    struct share
    {
        int place = 0;
        double fraction = 0.0; // of the young's inbreeding as a whole, not of the ancestor's
    };

    // Each place's sire, dam and inbreeding; `unknown` stands for an unknown parent. The vectors
    // are kept by reference and must outlive the object.
    inbreeding_shares(const std::vector<int> &sires, const std::vector<int> &dams,
        const std::vector<double> &inbreeding, int unknown);

    // The shares of the young of the birds at `sire` and `dam`. False, with no shares, when the
    // expansion would visit more than `most_pairs` pairs of birds or a place is not a bird.
    bool compute(int sire, int dam, std::size_t most_pairs);

    // The shares of the last compute(), largest first, equal ones by place.
    const std::vector<share> &result() const { return m_result; }

private:
    struct weighted
    {
        int earlier;
        double weight;
    };

    bool add(int a, int b, double weight);

    const std::vector<int> &m_sires;
    const std::vector<int> &m_dams;
    const std::vector<double> &m_inbreeding;
    const int m_unknown;
    std::vector<std::vector<weighted>> m_pairs; // by the later bird's place: the earlier, weighted
    std::vector<int> m_waiting; // a heap of the places whose pairs are waiting
    std::size_t m_visited = 0;
    std::size_t m_most = 0;
    std::vector<share> m_result;
};
