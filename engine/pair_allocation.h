#pragma once

// The season's pairs from a pairing plan: each hen gets at most one cock, each cock at most
// `max_per_cock` hens, and among the allocations that pair as many hens as the limits allow, the
// one whose young have the lowest summed (so also mean) inbreeding is made. The answer is exact:
// an optimal assignment, found by placing the hens one after another along the cheapest chain of
// re-pairings (successive shortest paths with potentials), never a greedy pick.
//
//   pair_allocation::settings limits;
//   limits.max_per_cock = 2;
//   limits.fixed = { { 0, 3 } };                      // first cock with the fourth hen
//   limits.max_inbreeding = 0.0625;
//   pair_allocation::result season = pair_allocation::allocate(plan, limits);
//   for (const pair_allocation::pair &p : season.pairs)
//       print(plan.cocks[p.cock], plan.hens[p.hen], plan.at(p.cock, p.hen).inbreeding);
//
// Positions are the matrix's: a cock is a row, a hen a column. The rules for the user's choices:
// - A fixed pair is made even above `max_inbreeding` (it is then remarked), and it counts
//   against its cock's `max_per_cock`.
// - A forbidden pair is never made; a pair both fixed and forbidden is not made (remarked) and
//   its hen is allocated like any other.
// - A hen fixed to a second cock, or a cock fixed more often than `max_per_cock`, keeps the fixes
//   given first; the later ones are remarked and dropped. A pair fixed twice is one fix.
// - A position outside the matrix is remarked and ignored; a figure that is not a number from 0
//   to 2 is remarked and its pair is never made, fixed or not.
// Figures are compared with `max_inbreeding` exactly as given (a pair at the bound is made).
// Sums are formed on the figures rounded to a fixed point (2^-37 or finer up to 1,000 cocks and
// 1,000 hens), so allocations whose sums differ by less than that count as equal. Among equal
// allocations the one made is the first found: hens are placed in the order given, each with the
// lowest cock that has room, and a hen placed earlier only moves when that lowers the sum. So
// equal figures pair hen i with cock i (with `max_per_cock` 2, hens 0 and 1 with cock 0). The same
// input always gives the same allocation.
//
// Never throws on bad input. Placing a hen costs the number of cocks times the hens it moves
// along the way, at most every hen placed before it.

#include "kinship.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

class pair_allocation
{
public:
    static constexpr int no_cock = -1;

    struct pair
    {
        int cock = 0; // row of the matrix
        int hen = 0; // column of the matrix
        bool operator==(const pair &) const = default;
    };

    struct settings
    {
        int max_per_cock = 1; // below 1 counts as 1 (remarked)
        std::vector<pair> fixed;
        std::vector<pair> forbidden;
        // Pairs whose young would be more inbred are not made (fixed pairs excepted).
        double max_inbreeding = std::numeric_limits<double>::infinity();
    };

    enum class problem {
        max_per_cock_below_one,
        matrix_size, // the figures do not fill cocks × hens: nothing is paired
        outside_matrix,
        figure_not_usable,
        fixed_and_forbidden,
        hen_fixed_twice,
        cock_fixed_too_often,
        fixed_above_bound, // made all the same
    };

    struct remark
    {
        problem kind;
        pair where {}; // the pair concerned; { 0, 0 } for the first two kinds
        std::string text; // lower case, no final period
    };

    struct result
    {
        std::vector<pair> pairs; // the pairs made, by hen
        std::vector<int> cock_of_hen; // every hen's cock, or no_cock
        std::vector<int> unpaired_hens; // ascending
        double mean_inbreeding = 0.0; // of the young of the pairs made; 0 without pairs
        double largest_inbreeding = 0.0;
        std::vector<remark> remarks; // input not honoured as given, in the order met
    };

    // `inbreeding` holds cock_count × hen_count figures, one cock after another.
    static result allocate(std::size_t cock_count, std::size_t hen_count,
        const std::vector<double> &inbreeding, const settings &limits);
    // The plan's cocks and hens, by their positions in it.
    static result allocate(const kinship::plan &plan, const settings &limits);
};
