#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Birds loaded before a pedigree to bring the store to at least 128 birds, so that the same
// pedigreed bird is computed in the large-pedigree mode.
Pedigree toLargeMode(const Pedigree &pedigree, int birds)
{
    return founders(birds < 128 ? 128 - birds : 0, "FILL-") + pedigree;
}

// Inbreeding after t generations of full-sib mating: F(t) = 1/4 + F(t-1)/2 + F(t-2)/4.
double fullSibInbreeding(int matings)
{
    double before = 0.0;
    double f = 0.0;
    for (int t = 1; t <= matings; ++t) {
        const double next = 0.25 + 0.5 * f + 0.25 * before;
        before = f;
        f = next;
    }
    return f;
}

// A line of `length` sires, each with its own unrelated dam: deep but not inbred at all.
Pedigree deepOutbredLine(int length)
{
    Pedigree rows { { "P", "L1", "M0" } };
    for (int n = 1; n < length; ++n)
        rows.push_back(
            { "L" + std::to_string(n), "L" + std::to_string(n + 1), "M" + std::to_string(n) });
    return rows;
}

struct PedigreeCase
{
    const char *name;
    Pedigree pedigree;
    int birds;
};

const PedigreeCase sharedPedigrees[] = {
    { "fullSib10", fullSibLine(10, ""), 23 },
    { "fullSib16", fullSibLine(16, ""), 35 },
    { "deepOutbred15", deepOutbredLine(15), 31 },
    { "random100Over8", randomPedigree(1, 100, 8, "R"), 100 },
    { "random120Over14", randomPedigree(7, 120, 14, "R"), 120 },
    { "random126Over5", randomPedigree(11, 126, 5, "R"), 126 },
};

class PathMethod : public testing::TestWithParam<PedigreeCase>
{ };

// The path weights accumulated through the order must give every bird the inbreeding that the
// path-by-path walk gives, to the last bit.
TEST_P(PathMethod, everyBirdEqualsTheLiteralWalkExactly)
{
    const PedigreeCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, toLargeMode(c.pedigree, c.birds))) << engine.message();
    ASSERT_FALSE(engine.full_matrix());
    const std::vector<double> literal = literalPathInbreeding(engine);
    ASSERT_EQ(static_cast<int>(literal.size()) - 1, engine.bird_count());
    for (int i = 1; i <= engine.bird_count(); ++i) {
        ASSERT_TRUE(engine.select_sorted(i));
        EXPECT_EQ(engine.current().inbreeding, literal[i]) << engine.current().band;
    }
}

// The full matrix and the path method are two exact methods for the same coefficients.
TEST_P(PathMethod, literalWalkAgreesWithTheFullMatrix)
{
    const PedigreeCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, c.pedigree)) << engine.message();
    ASSERT_TRUE(engine.full_matrix());
    const std::vector<double> literal = literalPathInbreeding(engine);
    for (int i = 1; i <= engine.bird_count(); ++i) {
        ASSERT_TRUE(engine.select_sorted(i));
        EXPECT_NEAR(engine.current().inbreeding, literal[i], 1e-12) << engine.current().band;
    }
}

// The pedigreed bird's walk stops at generation 11, but its inbreeding must still count every
// ancestor.
TEST_P(PathMethod, pedigreedBirdInLargeModeEqualsTheFullMatrix)
{
    const PedigreeCase &c = GetParam();
    inbreed small;
    ASSERT_TRUE(analyse(small, c.pedigree));
    inbreed large;
    ASSERT_TRUE(analyse(large, toLargeMode(c.pedigree, c.birds)));
    ASSERT_STREQ(pedigreedBird(large).band, pedigreedBird(small).band);
    EXPECT_NEAR(pedigreedBird(large).inbreeding, pedigreedBird(small).inbreeding, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Engine, PathMethod, testing::ValuesIn(sharedPedigrees),
    [](const testing::TestParamInfo<PedigreeCase> &info) { return info.param.name; });

TEST(PathMethodLarge, tenFullSibGenerationsGive88Percent)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, toLargeMode(fullSibLine(10, ""), 23)));
    EXPECT_NEAR(pedigreedBird(engine).inbreeding, 0.8862, 0.00005);
}

TEST(PathMethodLarge, deepOutbredLineIsNotInbred)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, toLargeMode(deepOutbredLine(30), 61)));
    EXPECT_NEAR(pedigreedBird(engine).inbreeding, 0.0, 1e-12);
}

// 48 generations of parents, the last 47 of them full-sib matings: a walk of every path would
// visit the founders 2^48 times.
TEST(PathMethodLarge, fortyEightGenerationLineFinishes)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, toLargeMode(fullSibLine(47, ""), 97))) << engine.message();
    EXPECT_NEAR(pedigreedBird(engine).inbreeding, fullSibInbreeding(47), 1e-12);
    const inbreed::bird &founder = *findBird(engine, "S48");
    EXPECT_EQ(founder.inbreeding, 0.0);
    EXPECT_EQ(founder.min_gen, inbreed::not_met); // beyond the generation-11 stop
    EXPECT_EQ(findBird(engine, "S10")->min_gen, 11);
}

TEST(PathMethodLarge, largestStoreComputes)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, randomPedigree(3, 2048, 40, "R"))) << engine.message();
    EXPECT_EQ(engine.bird_count(), 2048);
    EXPECT_EQ(engine.matrix_size(), 127);
    EXPECT_STREQ(pedigreedBird(engine).band, "RP");
}

} // namespace
