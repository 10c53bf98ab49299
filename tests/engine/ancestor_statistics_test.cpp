#include "pedigree_fixtures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// P's sire S and dam D share their sire G.
const Pedigree sharedGrandsire { { "P", "S", "D" }, { "S", "G", "M1" }, { "D", "G", "M2" } };

// A straight sire line from P: L1 is P's sire (generation 2), L<n> stands at generation n + 1.
Pedigree sireLine(int length)
{
    Pedigree rows { { "P", "L1", "" } };
    for (int n = 1; n < length; ++n)
        rows.push_back({ "L" + std::to_string(n), "L" + std::to_string(n + 1), "" });
    return rows;
}

TEST(AncestorStatistics, sharedGrandsireCountsOnBothSides)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    const inbreed::bird &g = *findBird(engine, "G");
    EXPECT_EQ(g.occurrences, 2);
    EXPECT_EQ(g.sire_occurrences, 1);
    EXPECT_EQ(g.dam_occurrences, 1);
    EXPECT_EQ(g.blood, 0.5);
    EXPECT_EQ(g.sire_blood, 0.25);
    EXPECT_EQ(g.dam_blood, 0.25);
    EXPECT_EQ(g.min_gen, 3);
    EXPECT_EQ(g.max_gen, 3);
    for (int position : { 4, 6 }) {
        ASSERT_TRUE(engine.select_position(position));
        EXPECT_EQ(&engine.current(), &g) << position;
    }
}

TEST(AncestorStatistics, parentsAndThePedigreedBird)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    const inbreed::bird &s = *findBird(engine, "S");
    EXPECT_EQ(s.min_gen, 2);
    EXPECT_EQ(s.max_gen, 2);
    EXPECT_EQ(s.blood, 0.5);
    EXPECT_EQ(s.sire_occurrences, 1);
    EXPECT_EQ(s.dam_occurrences, 0);
    EXPECT_EQ(findBird(engine, "D")->dam_blood, 0.5);
    const inbreed::bird &p = pedigreedBird(engine);
    EXPECT_EQ(p.min_gen, 1);
    EXPECT_EQ(p.max_gen, 1);
    EXPECT_EQ(p.occurrences, 0);
    EXPECT_EQ(p.blood, 0.0);
}

TEST(AncestorStatistics, birdBothSireAndDamsSireHasThreeQuartersBlood)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, { { "P", "X", "D" }, { "D", "X", "M" } }));
    const inbreed::bird &x = *findBird(engine, "X");
    EXPECT_EQ(x.blood, 0.75);
    EXPECT_EQ(x.contribution, 0.25); // 2 x 0.5 x 0.25: all of P's inbreeding runs through X
    EXPECT_EQ(pedigreedBird(engine).inbreeding, 0.25);
}

// Blood by generation uses the tabulated decimals from generation 9 on.
struct LineCase
{
    const char *name;
    int ancestor; // L<n>, at generation n + 1
    double blood;
    int minGen;
};

class SireLineStatistics : public testing::TestWithParam<LineCase>
{ };

TEST_P(SireLineStatistics, ancestorCarriesItsGenerationWeight)
{
    const LineCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sireLine(12)));
    const inbreed::bird &b = *findBird(engine, "L" + std::to_string(c.ancestor));
    EXPECT_EQ(b.blood, c.blood);
    EXPECT_EQ(b.sire_blood, c.blood);
    EXPECT_EQ(b.min_gen, c.minGen);
}

INSTANTIATE_TEST_SUITE_P(Engine, SireLineStatistics,
    testing::Values(LineCase { "generation8Exact", 7, 0.0078125, 8 },
        LineCase { "generation9Decimal", 8, 0.0039062, 9 },
        LineCase { "generation11RecordedButNotWalkedOn", 10, 0.0009765, 11 },
        LineCase { "generation12NeverMet", 11, 0.0, inbreed::not_met }),
    [](const testing::TestParamInfo<LineCase> &info) { return info.param.name; });

// X stands at generation 11 at the top of P's sire line and is P's dam's sire (generation 3).
// The walk takes the sire branch first, so it meets X at 11 before it meets it at 3.
TEST(GenerationStop, birdMetAt11FirstIsWalkedOnOnlyFromItsCloserPlace)
{
    Pedigree rows = sireLine(9);
    rows.front().dam = "D";
    rows.push_back({ "L9", "X", "" });
    rows.push_back({ "D", "X", "" });
    rows.push_back({ "X", "Y", "" });
    inbreed engine;
    ASSERT_TRUE(analyse(engine, rows));
    const inbreed::bird &x = *findBird(engine, "X");
    EXPECT_EQ(x.min_gen, 3);
    EXPECT_EQ(x.max_gen, 11);
    const inbreed::bird &y = *findBird(engine, "Y");
    EXPECT_EQ(y.min_gen, 4);
    EXPECT_EQ(y.max_gen, 4);
    EXPECT_EQ(y.blood, 0.125);
}

// X is P's sire's sire (generation 3, met first) and stands at generation 11 at the top of P's
// dam line: having been met closer, it is walked on from the deep place too.
TEST(GenerationStop, birdMetCloserFirstIsWalkedOnFromEveryPlace)
{
    Pedigree rows { { "P", "S", "L1" }, { "S", "X", "" } };
    for (int n = 1; n < 9; ++n)
        rows.push_back({ "L" + std::to_string(n), "", "L" + std::to_string(n + 1) });
    rows.push_back({ "L9", "X", "" });
    rows.push_back({ "X", "Y", "" });
    inbreed engine;
    ASSERT_TRUE(analyse(engine, rows));
    const inbreed::bird &x = *findBird(engine, "X");
    EXPECT_EQ(x.min_gen, 3);
    EXPECT_EQ(x.max_gen, 11);
    const inbreed::bird &y = *findBird(engine, "Y");
    EXPECT_EQ(y.min_gen, 4);
    EXPECT_EQ(y.max_gen, 12);
    EXPECT_EQ(y.occurrences, 2);
    EXPECT_EQ(y.blood, 0.125 + 0.0004882);
    EXPECT_EQ(y.sire_occurrences, 1);
    EXPECT_EQ(y.dam_occurrences, 1);
}

TEST(SelectPosition, numbersTheAncestorTable)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    const char *expected[] = { "", "P", "S", "D", "G", "M1", "G", "M2" };
    for (int position = 1; position <= 7; ++position) {
        ASSERT_TRUE(engine.select_position(position));
        EXPECT_STREQ(engine.current().band, expected[position]) << position;
    }
    ASSERT_TRUE(engine.select_position(2));
    EXPECT_STREQ(engine.sire_band(), "G");
    EXPECT_STREQ(engine.dam_band(), "M1");
}

TEST(SelectPosition, emptyPositionGivesAnEmptyBird)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    ASSERT_TRUE(engine.select_position(2));
    EXPECT_TRUE(engine.select_position(8));
    EXPECT_EQ(engine.current().load_no, 0);
    EXPECT_STREQ(engine.current().band, "");
    EXPECT_STREQ(engine.sire_band(), "");
    EXPECT_STREQ(engine.dam_band(), "");
    EXPECT_STREQ(engine.message(), "");
}

TEST(SelectPosition, deepestPositionIs2047)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sireLine(11)));
    ASSERT_TRUE(engine.select_position(1024));
    EXPECT_STREQ(engine.current().band, "L10");
    EXPECT_TRUE(engine.select_position(2047));
}

struct RangeCase
{
    const char *name;
    bool byPosition;
    int index;
    const char *message;
};

class AccessorRange : public testing::TestWithParam<RangeCase>
{ };

TEST_P(AccessorRange, refusesIndexesOutOfRange)
{
    const RangeCase &c = GetParam();
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    ASSERT_TRUE(engine.select_sorted(engine.bird_count()));
    EXPECT_FALSE(c.byPosition ? engine.select_position(c.index) : engine.select_sorted(c.index));
    EXPECT_STREQ(engine.message(), c.message);
    EXPECT_EQ(engine.current().load_no, 0);
    EXPECT_STREQ(engine.current().band, "");
    EXPECT_STREQ(engine.sire_band(), "");
}

INSTANTIATE_TEST_SUITE_P(Engine, AccessorRange,
    testing::Values(RangeCase { "sortedZero", false, 0, "subscript out of range" },
        RangeCase { "sortedPastTheCount", false, 7, "subscript out of range" },
        RangeCase { "positionZero", true, 0, "sub out of range" },
        RangeCase { "position2048", true, 2048, "sub out of range" }),
    [](const testing::TestParamInfo<RangeCase> &info) { return info.param.name; });

TEST(SelectSorted, lastIndexIsThePedigreedBirdWithItsParents)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, sharedGrandsire));
    ASSERT_TRUE(engine.select_sorted(engine.bird_count()));
    EXPECT_STREQ(engine.current().band, "P");
    EXPECT_STREQ(engine.sire_band(), "S");
    EXPECT_STREQ(engine.dam_band(), "D");
}

TEST(SelectBeforeCompute, showsComputeNotDoneAndKeepsTheMessage)
{
    inbreed engine;
    engine.reset();
    EXPECT_FALSE(engine.load_record("A", std::string(19, 'S'), ""));
    EXPECT_FALSE(engine.select_sorted(1));
    EXPECT_STREQ(engine.current().band, "compute not done.");
    EXPECT_EQ(engine.current().load_no, 0);
    EXPECT_STREQ(engine.message(), "Sire's Band length to long SIRE SKIPPED.");
    EXPECT_FALSE(engine.select_position(1));
    EXPECT_STREQ(engine.current().band, "compute not done.");
    ASSERT_TRUE(engine.compute());
    EXPECT_TRUE(engine.select_position(5));
    EXPECT_STREQ(engine.current().band, "");
}

} // namespace

struct WalkCase
{
    const char *name;
    Pedigree pedigree;
};

class PedigreedWalk : public testing::TestWithParam<WalkCase>
{ };

// Repeated visits beyond generation 20 are skipped, since they can change nothing; every figure
// must still equal what the walk of every path records.
TEST_P(PedigreedWalk, statisticsEqualThePlainWalk)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, GetParam().pedigree)) << engine.message();
    const std::vector<WalkStatistics> expected = literalWalkStatistics(engine);
    for (int i = 1; engine.select_sorted(i); ++i) {
        const inbreed::bird &b = engine.current();
        const WalkStatistics &s = expected[i];
        SCOPED_TRACE(b.band);
        EXPECT_EQ(b.min_gen, s.minGen);
        EXPECT_EQ(b.max_gen, s.maxGen);
        EXPECT_EQ(b.occurrences, s.occurrences);
        EXPECT_EQ(b.sire_occurrences, s.sireOccurrences);
        EXPECT_EQ(b.dam_occurrences, s.damOccurrences);
        EXPECT_EQ(b.blood, s.blood);
        EXPECT_EQ(b.sire_blood, s.sireBlood);
        EXPECT_EQ(b.dam_blood, s.damBlood);
    }
}

INSTANTIATE_TEST_SUITE_P(Engine, PedigreedWalk,
    testing::Values(WalkCase { "combedLine20", combedFullSibLine(20, "") },
        WalkCase { "combedLine24", combedFullSibLine(24, "") },
        WalkCase { "fullSibLine30", fullSibLine(30, "") },
        WalkCase { "random120Over30", randomPedigree(5, 120, 30, "R") },
        WalkCase { "random300Over45", randomPedigree(9, 300, 45, "R") }),
    [](const testing::TestParamInfo<WalkCase> &info) { return info.param.name; });

// Pairs 5 to 40 of the line are met within ten generations from the sire's side, so a walk of
// every path from the dam would go 2^40 times through the line.
TEST(PedigreedWalkDeep, combedLineOf44PairsFinishes)
{
    inbreed engine;
    ASSERT_TRUE(analyse(engine, combedFullSibLine(44, ""))) << engine.message();
    EXPECT_TRUE(engine.full_matrix());
    const inbreed::bird &lastMet = *findBird(engine, "C40");
    EXPECT_EQ(lastMet.min_gen, 10);
    EXPECT_EQ(lastMet.max_gen, 42);
    const inbreed::bird &beyond = *findBird(engine, "H41");
    EXPECT_EQ(beyond.min_gen, 11);
    EXPECT_EQ(beyond.max_gen, 43);
    EXPECT_EQ(findBird(engine, "C42")->min_gen, inbreed::not_met);
}
