#include "pedigree_row_check.h"

#include <cstddef>

namespace pedigree_row {

namespace {

constexpr int no_bird = bird_store::no_bird;

constexpr const char *text_of(problem found)
{
    switch (found) {
    case problem::none:
        return "";
    case problem::identification_too_long:
        return "Band length to long RECORD SKIPPED";
    case problem::identification_missing:
        return "Missing Band No or band = \".\" or \"0\" Record Skipped.";
    case problem::bird_limit_before_identification:
        return "Maximum # of birds loaded. This record is skipped";
    case problem::band_refused:
        return "Inbreed HASHing error";
    case problem::sire_too_long:
        return "Sire's Band length to long SIRE SKIPPED.";
    case problem::bird_limit_before_sire:
        return "Maximum # of birds loaded. This record is skipped.";
    case problem::dam_too_long:
        return "Dam's Band length to long DAM SKIPPED.";
    case problem::bird_limit_before_dam:
        return "Maximum # of birds loaded. This DAM is skipped.";
    case problem::conflicting_parents:
        return "Conflicting parents on this bird";
    case problem::both_sexes:
        return "Sire or Dam appears as both sexes in the pedigree input.";
    }
    return "";
}

// The analysis engine keeps its message in 59 characters.
constexpr bool every_text_fits()
{
    for (int p = 0; p <= static_cast<int>(problem::both_sexes); ++p)
        if (std::string_view(text_of(static_cast<problem>(p))).size() > 59)
            return false;
    return true;
}
static_assert(every_text_fits(), "a row problem's text is longer than 59 characters");

// A text ends at its first zero byte, as the stored bands do.
std::string_view until_zero(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool too_long(std::string_view band)
{
    return band.size() > static_cast<std::size_t>(band_length);
}

// Checks a parent's band and finds or adds its bird; a missing parent leaves `parent` no_bird.
problem load_parent(
    bird_store &store, std::string_view band, problem when_too_long, problem when_full, int &parent)
{
    parent = no_bird;
    if (too_long(band))
        return when_too_long;
    if (store.full())
        return when_full;
    if (is_missing(band))
        return problem::none;
    parent = store.find_or_add(band);
    return parent == no_bird ? problem::band_refused : problem::none;
}

// Gives a parent the sex of the role it is named in; false when it has now stood in both roles.
bool name_sex(bird_store &store, int parent, char role)
{
    if (parent == no_bird)
        return true;
    char &sex = store.sex(parent);
    if (sex == '?')
        sex = role;
    if (sex == role)
        return true;
    sex = 'b';
    return false;
}

} // namespace

problem check(
    bird_store &store, std::string_view identification, std::string_view sire, std::string_view dam)
{
    identification = until_zero(identification);
    if (too_long(identification))
        return problem::identification_too_long;
    if (is_missing(identification))
        return problem::identification_missing;
    if (store.full())
        return problem::bird_limit_before_identification;
    const int bird = store.find_or_add(identification);
    if (bird == no_bird)
        return problem::band_refused;

    int sire_bird = no_bird;
    const problem sire_problem = load_parent(store, until_zero(sire), problem::sire_too_long,
        problem::bird_limit_before_sire, sire_bird);
    if (sire_problem != problem::none)
        return sire_problem;
    int dam_bird = no_bird;
    const problem dam_problem = load_parent(
        store, until_zero(dam), problem::dam_too_long, problem::bird_limit_before_dam, dam_bird);
    if (dam_problem != problem::none)
        return dam_problem;

    if (store.row_loaded(bird))
        return store.has_parents(bird, sire_bird, dam_bird) ? problem::none
                                                            : problem::conflicting_parents;
    store.link(bird, sire_bird, dam_bird);
    const bool sire_named = name_sex(store, sire_bird, 'm');
    const bool dam_named = name_sex(store, dam_bird, 'f');
    return sire_named && dam_named ? problem::none : problem::both_sexes;
}

const char *message(problem found)
{
    return text_of(found);
}

bool is_missing(std::string_view band)
{
    return band.empty() || (band.size() == 1 && (band[0] == ' ' || band[0] == '.'));
}

} // namespace pedigree_row
