#include "band_year.h"

#include <cstddef>

namespace {

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSeparator(char c)
{
    return c == '-' || c == ' ';
}

} // namespace

int band_year(std::string_view band, int this_year)
{
    std::size_t at = 0;
    while (at < band.size() && isLetter(band[at]))
        ++at;
    if (at == 0 || at > 3)
        return 0;
    if (at < band.size() && isSeparator(band[at]))
        ++at;
    const std::size_t first = at;
    int year = 0;
    while (at < band.size() && isDigit(band[at]))
        year = year * 10 + (band[at++] - '0');
    const std::size_t digits = at - first;
    // The year must be followed by a separator and the bird's number.
    if (at + 1 >= band.size() || !isSeparator(band[at]))
        return 0;
    if (digits == 2)
        return year <= this_year % 100 ? this_year - this_year % 100 + year
                                       : this_year - this_year % 100 - 100 + year;
    if (digits == 4 && year >= 1900 && year <= this_year + 1)
        return year;
    return 0;
}
