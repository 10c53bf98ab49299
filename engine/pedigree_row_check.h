#pragma once

// The checks every pedigree row (identification, sire, dam) passes on its way into a store of
// birds: band lengths, missing bands, the store's bird limit, parents that differ from an earlier
// row of the same bird, and parents named in both roles. The analysis engine and the pairing
// planner both load their rows through it, so they refuse the same rows with the same texts.
//
//   class loft : public pedigree_row::bird_store { ... };      // where the birds go
//   loft birds;
//   const pedigree_row::problem found = pedigree_row::check(birds, "A", "S", "D");
//   if (found != pedigree_row::problem::none)
//       print(pedigree_row::message(found));                   // the fixed text of the problem
//
// The checks run in a fixed order and the first that fails ends the row. Birds stored before it
// stay stored; the row's links are made only once every band has passed, and only the both-sexes
// problem comes after them (the links stay). Texts end at their first zero byte.

#include <string_view>

namespace pedigree_row {

// Band numbers longer than this are refused.
constexpr int band_length = 18;

// What is wrong with a row, in the order the checks run; none for a row accepted without remark.
enum class problem {
    none,
    identification_too_long,
    identification_missing,
    bird_limit_before_identification,
    band_refused, // the store would not add a bird for one of the three bands
    sire_too_long,
    bird_limit_before_sire,
    dam_too_long,
    bird_limit_before_dam,
    conflicting_parents, // the bird's own row was accepted before, with other parents
    both_sexes, // a parent of this row has now been named as a sire and as a dam
};

// Where a check stores and links the birds of its rows. A bird is named by the store's own
// number, which is never no_bird.
class bird_store
{
public:
    static constexpr int no_bird = -1;

    // True once no further row may add birds. A store without a limit keeps the default.
    virtual bool full() const { return false; }
    // The bird with exactly this band (1 to band_length bytes), added if it is new; no_bird when
    // the store refuses to add it.
    virtual int find_or_add(std::string_view band) = 0;
    // True once the bird's own row has been linked.
    virtual bool row_loaded(int bird) const = 0;
    // True when the bird's linked parents are these (no_bird for an unknown parent).
    virtual bool has_parents(int bird, int sire, int dam) const = 0;
    // Marks the bird's own row loaded and links it to its parents (no_bird for an unknown one).
    virtual void link(int bird, int sire, int dam) = 0;
    // The bird's sex as the rows name it, which the check updates: '?' not yet named as a
    // parent, 'm' named as a sire, 'f' as a dam, 'b' in both roles.
    virtual char &sex(int bird) = 0;

protected:
    ~bird_store() = default;
};

// Checks one row and stores and links its birds in `store`; none when the row was accepted
// without remark. A parent that is missing (see is_missing) is unknown and never becomes a bird.
problem check(bird_store &store, std::string_view identification, std::string_view sire,
    std::string_view dam);

// The text the analysis prints beside a row with this problem (at most 59 characters); empty
// for none.
const char *message(problem found);

// True for a band that names no bird: empty, a lone space or a lone full stop. A lone digit 0 or
// any longer text is a bird.
bool is_missing(std::string_view band);

} // namespace pedigree_row
