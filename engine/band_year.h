#pragma once

#include <string_view>

// The year of birth a band number carries, as ring bands of most countries print it: a country
// code of one to three letters, then the year in two or four digits, then the bird's number,
// separated by hyphens or spaces ("NL-2021-1234567", "BE 19 3012345", "GB-15-N04567"). The
// separator between the country and the year may be left out ("NL2021-1234567").
//
// A two-digit year up to `this_year`'s last two digits is of this century, a larger one of the
// last; a four-digit year counts only from 1900 to the year after `this_year`. Returns 0 for a
// band that carries no year by these rules.
int band_year(std::string_view band, int this_year);
