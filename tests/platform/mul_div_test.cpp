#include "mul_div.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MulDivRow
{
    const char *name;
    int number;
    int numerator;
    int denominator;
    int expected;
};

class MulDivTest : public testing::TestWithParam<MulDivRow>
{ };

TEST_P(MulDivTest, RoundsTheExactQuotientToTheNearestInteger)
{
    const MulDivRow &row = GetParam();
    EXPECT_EQ(MulDiv(row.number, row.numerator, row.denominator), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, MulDivTest,
    testing::Values(MulDivRow { "PointsToPrinterPixels", 9, 600, 72, 75 },
        MulDivRow { "RoundsDown", 5, 600, 96, 31 }, // 31.25
        MulDivRow { "RoundsUp", 7, 600, 96, 44 }, // 43.75
        MulDivRow { "HalfGoesAwayFromZero", 1, 3, 2, 2 },
        MulDivRow { "NegativeHalfGoesAwayFromZero", -1, 3, 2, -2 },
        MulDivRow { "NegativeDenominator", 10, 3, -4, -8 }, // -7.5
        MulDivRow { "BothNegative", -10, 3, -4, 8 },
        MulDivRow { "MillimetresToPixels", 20, 5 * 600, 127, 472 }, // 472.44
        MulDivRow { "ProductBeyond32Bits", 100000, 100000, 100000, 100000 },
        MulDivRow { "LargestResult", INT_MAX, 2, 2, INT_MAX },
        MulDivRow { "SmallestResult", INT_MIN, 1, 1, INT_MIN },
        MulDivRow { "ZeroNumber", 0, 600, 96, 0 },
        MulDivRow { "ZeroDivisorAnswersMinusOne", 7, 1, 0, -1 },
        MulDivRow { "OverflowAnswersMinusOne", 1 << 30, 8, 1, -1 },
        MulDivRow { "NegativeOverflowAnswersMinusOne", -(1 << 30), 8, 1, -1 }),
    [](const testing::TestParamInfo<MulDivRow> &info) { return std::string(info.param.name); });

TEST(MulDivTest, ScreenToDeviceAndBackIsTheIdentityForEqualResolutions)
{
    for (int x : { -1000, -1, 0, 1, 333, 32000 })
        EXPECT_EQ(MulDiv(x, 96, 96), x);
}

} // namespace
