#pragma once

// MulDiv: number * numerator / denominator with a 64-bit product, rounded to the nearest
// integer (halves away from zero), as every screen-to-device conversion needs.
//
//   MulDiv(9, 600, 72)   == 75
//   MulDiv(5, 600, 96)   == 31     (31.25)
//   MulDiv(1, 3, 2)      == 2      (1.5 rounds away from zero), MulDiv(-1, 3, 2) == -2
//   MulDiv(7, 1, 0)      == -1     (no divisor)
//   MulDiv(1 << 30, 8, 1) == -1    (result does not fit 32 bits)

#include <cstdint>

// Returns -1 when denominator is 0 or the rounded result does not fit in 32 bits.
constexpr int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const std::int64_t product = std::int64_t(number) * numerator;
    std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -std::int64_t(denominator) : denominator;
    magnitude = (magnitude + divisor / 2) / divisor;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int(result);
}
