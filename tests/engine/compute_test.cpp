#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// Birds loaded before a small pedigree to push the store to 128 birds or more, so that the same
// pedigreed bird is computed in the large-pedigree mode.
Pedigree withFillers(const Pedigree &pedigree, int birds)
{
    return founders(128 - birds, "FILL-") + pedigree;
}

const Pedigree fullSibParents { { "P", "S", "D" }, { "S", "GS", "GD" }, { "D", "GS", "GD" } };
const Pedigree halfSibParents { { "P", "S", "D" }, { "S", "G", "M1" }, { "D", "G", "M2" } };
const Pedigree firstCousinParents { { "P", "S", "D" }, { "S", "A", "X" }, { "D", "Y", "B" },
    { "A", "G1", "G2" }, { "B", "G1", "G2" } };
const Pedigree unrelatedParents { { "P", "S", "D" }, { "S", "A", "B" }, { "D", "C", "E" } };

struct InbreedingCase
{
    const char *name;
    Pedigree pedigree;
    int birds;
    double inbreeding; // of the pedigreed bird, as published (three decimals)
};

class PublishedInbreeding : public testing::TestWithParam<std::tuple<InbreedingCase, bool>>
{ };

TEST_P(PublishedInbreeding, pedigreedBirdHasThePublishedCoefficient)
{
    const auto &[c, large] = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, large ? withFillers(c.pedigree, c.birds) : c.pedigree))
        << engine.message();
    ASSERT_EQ(engine.full_matrix(), !large);
    EXPECT_STREQ(pedigreedBird(engine).band, c.pedigree.front().identification.c_str());
    EXPECT_NEAR(pedigreedBird(engine).inbreeding, c.inbreeding, 0.0005);
}

INSTANTIATE_TEST_SUITE_P(Engine, PublishedInbreeding,
    testing::Combine(testing::Values(InbreedingCase { "singleBird", { { "P", "", "" } }, 1, 0.0 },
                         InbreedingCase { "unrelatedParents", unrelatedParents, 7, 0.0 },
                         InbreedingCase { "halfSibParents", halfSibParents, 6, 0.125 },
                         InbreedingCase { "firstCousinParents", firstCousinParents, 9, 0.0625 },
                         InbreedingCase { "fullSib1", fullSibLine(1, ""), 5, 0.25 },
                         InbreedingCase { "fullSib2", fullSibLine(2, ""), 7, 0.375 },
                         InbreedingCase { "fullSib3", fullSibLine(3, ""), 9, 0.5 },
                         InbreedingCase { "fullSib4", fullSibLine(4, ""), 11, 0.594 },
                         InbreedingCase { "fullSib5", fullSibLine(5, ""), 13, 0.672 }),
        testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name)
            + (std::get<1>(info.param) ? "Large" : "FullMatrix");
    });

TEST(FullSibExample, grandparentsCarryHalfTheBloodAndTheWholeInbreeding)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, fullSibParents));
    EXPECT_EQ(pedigreedBird(engine).inbreeding, 0.25);
    double contributions = 0.0;
    for (const char *band : { "GS", "GD" }) {
        SCOPED_TRACE(band);
        const inbreed::bird &g = *findBird(engine, band);
        EXPECT_EQ(g.blood, 0.5);
        EXPECT_EQ(g.inbreeding, 0.0);
        EXPECT_EQ(engine.matrix_cell(static_cast<int>(g.matrix_index), engine.matrix_size()), 0.5);
        EXPECT_EQ(g.pair_back, 0.25);
        EXPECT_NEAR(g.relationship, 0.5 / std::sqrt(1.25), 1e-15);
        EXPECT_EQ(g.contribution, 0.125);
        contributions += g.contribution;
    }
    EXPECT_EQ(contributions, pedigreedBird(engine).inbreeding);
}

TEST(FullSibExample, parentsAreRelatedThroughTheMatrixAndContributeNothing)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, fullSibParents));
    const inbreed::bird &sire = *findBird(engine, "S");
    EXPECT_EQ(sire.blood, 0.5);
    EXPECT_EQ(sire.pair_back, 0.375); // the matrix's 0.75 beats the blood
    EXPECT_NEAR(sire.relationship, 0.75 / std::sqrt(1.25), 1e-15);
    EXPECT_EQ(sire.contribution, 0.0);
    const inbreed::bird &p = pedigreedBird(engine);
    EXPECT_EQ(p.relationship, 0.0);
    EXPECT_EQ(p.pair_back, 0.0);
    EXPECT_EQ(p.contribution, 0.0);
}

TEST(FullSibExample, matrixIsSymmetricWithInbreedingOnTheDiagonal)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, fullSibParents));
    const int n = engine.matrix_size();
    ASSERT_EQ(n, 5);
    for (int i = 0; i <= n; ++i) {
        EXPECT_EQ(engine.matrix_cell(0, i), 0.0);
        for (int j = 0; j <= n; ++j)
            EXPECT_EQ(engine.matrix_cell(i, j), engine.matrix_cell(j, i)) << i << "," << j;
    }
    EXPECT_EQ(engine.matrix_cell(n, n), 1.25);
    const inbreed::bird &s = *findBird(engine, "S");
    const inbreed::bird &d = *findBird(engine, "D");
    EXPECT_EQ(
        engine.matrix_cell(static_cast<int>(s.matrix_index), static_cast<int>(d.matrix_index)),
        0.5);
}

TEST(ComputeModes, birds127UseTheFullMatrix)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, founders(127 - 5, "F") + fullSibParents));
    EXPECT_TRUE(engine.full_matrix());
    EXPECT_EQ(engine.matrix_size(), 127);
    ASSERT_TRUE(engine.select_sorted(1));
    EXPECT_EQ(engine.current().matrix_index, 1.0);
}

TEST(ComputeModes, birds128LeaveTheFirstBirdWithoutARow)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, founders(128 - 5, "F") + fullSibParents));
    EXPECT_FALSE(engine.full_matrix());
    EXPECT_EQ(engine.matrix_size(), 127);
    ASSERT_TRUE(engine.select_sorted(1));
    const inbreed::bird &first = engine.current();
    EXPECT_STREQ(first.band, "GS");
    EXPECT_EQ(first.matrix_index, 0.0);
    const double fp = pedigreedBird(engine).inbreeding;
    EXPECT_EQ(fp, 0.25);
    EXPECT_EQ(first.pair_back, (1.0 + first.inbreeding) * first.blood * 0.5);
    EXPECT_EQ(first.relationship,
        (1.0 + first.inbreeding) * first.blood / std::sqrt((1.0 + fp) * (1.0 + first.inbreeding)));
    ASSERT_TRUE(engine.select_sorted(2));
    EXPECT_EQ(engine.current().matrix_index, 1.0);
}

TEST(ComputeOrder, ancestorsComeFirstByLevelThenByLoadNumber)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, { { "C", "A", "B" }, { "A", "G", "" }, { "X", "", "" } }));
    const char *expected[] = { "G", "A", "B", "C", "X" };
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(engine.select_sorted(i));
        EXPECT_STREQ(engine.current().band, expected[i - 1]) << i;
    }
}

TEST(ComputeOrder, lastLoadedLeafIsThePedigreedBird)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, { { "C", "A", "B" }, { "X", "", "" } }));
    EXPECT_STREQ(pedigreedBird(engine).band, "X");
    EXPECT_EQ(findBird(engine, "C")->blood, 0.0);
    EXPECT_EQ(findBird(engine, "A")->min_gen, inbreed::not_met);
}

TEST(ComputeOrder, noBirdsComputesButHasNoPedigreedBird)
{
    inbreed engine;
    engine.reset();
    ASSERT_TRUE(engine.compute());
    EXPECT_TRUE(engine.computed());
    EXPECT_FALSE(engine.select_sorted(engine.bird_count()));
    EXPECT_STREQ(engine.message(), "subscript out of range");
}

TEST(ComputeOrder, computingTwiceGivesTheSameResults)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, halfSibParents));
    ASSERT_TRUE(engine.compute());
    const inbreed::bird &g = *findBird(engine, "G");
    EXPECT_EQ(g.occurrences, 2);
    EXPECT_EQ(g.blood, 0.5);
    EXPECT_EQ(pedigreedBird(engine).inbreeding, 0.125);
    EXPECT_EQ(engine.matrix_size(), 6);
}

struct CycleCase
{
    const char *name;
    Pedigree pedigree;
    bool computes;
};

class ComputeCycles : public testing::TestWithParam<CycleCase>
{ };

TEST_P(ComputeCycles, refusesPedigreesThatLoopBack)
{
    const CycleCase &c = GetParam();
    inbreed engine;
    loadPedigree(engine, c.pedigree);
    EXPECT_EQ(engine.compute(), c.computes);
    EXPECT_EQ(engine.computed(), c.computes);
    EXPECT_STREQ(
        engine.message(), c.computes ? "" : "Class INBREED a cycling pedigree has been found.");
}

INSTANTIATE_TEST_SUITE_P(Engine, ComputeCycles,
    testing::Values(CycleCase { "ownSire", { { "A", "A", "D" } }, false },
        CycleCase { "sireOfEachOther", { { "A", "B", "" }, { "B", "A", "" } }, false },
        CycleCase {
            "threeBirdLoop", { { "A", "B", "" }, { "B", "", "C" }, { "C", "A", "" } }, false },
        CycleCase { "loopAboveAnHonestBird",
            { { "P", "A", "D" }, { "A", "B", "" }, { "B", "A", "" } }, false },
        CycleCase { "lineOf49Birds", fullSibLine(47, ""), true },
        CycleCase { "lineOf50Birds", fullSibLine(48, ""), false }),
    [](const testing::TestParamInfo<CycleCase> &info) { return info.param.name; });

TEST(ComputeCycles, failedComputeRefusesEveryAccessor)
{
    inbreed engine;
    loadPedigree(engine, { { "A", "B", "" }, { "B", "A", "" } });
    ASSERT_FALSE(engine.compute());
    EXPECT_FALSE(engine.select_sorted(1));
    EXPECT_STREQ(engine.current().band, "compute not done.");
    EXPECT_FALSE(engine.select_position(1));
    EXPECT_STREQ(engine.current().band, "compute not done.");
    EXPECT_STREQ(engine.message(), "Class INBREED a cycling pedigree has been found.");
}

} // namespace
